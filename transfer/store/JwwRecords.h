// The records of the store: the fifteen entity kinds, the fixed-layout record
// of each (every one begins with the common header TJwwEntHead) and the
// reference by which the entity order names a record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

enum TJwwEntKind : int32_t {
  jekLine = 1,
  jekCircle = 2,
  jekArc = 3,
  jekText = 4,
  jekPoint = 5,
  jekPointEx = 6,
  jekLineText = 7,
  jekBlk = 8,
  jekSolid2 = 9,
  jekSolid3 = 10,
  jekSolid4 = 11,
  jekSolidSc = 12,
  jekSolidSe = 13,
  jekSolidSo = 14,
  jekSolidSg = 15,
};
constexpr int32_t kJwwKindCount = 15;

// Longest text field of a text record, in bytes.
constexpr size_t kJwwShortStrMax = 255;

// A text field of at most 255 bytes. The bytes live in the store's text arena,
// which never moves them; a zero-filled value is the empty string.
struct TJwwShortStr {
  const char* data;
  uint32_t size;
  std::string_view View() const { return {data, size}; }
};

struct TJwwEntHead {
  int32_t indicatedPointNo;
  int32_t layerGroup;
  int32_t layer;
  int32_t colour;
  int32_t lineType;
  int32_t lineWidth;
  int32_t zFlags;
};

struct TJwwEntLine {
  TJwwEntHead head;
  int32_t polylineNo;
  double x1, y1, x2, y2;
};

struct TJwwEntCircle {
  TJwwEntHead head;
  double cx, cy, radius;
};

struct TJwwEntArc {
  TJwwEntHead head;
  double cx, cy, radius, startAngle, endAngle, flatness, tilt;
};

struct TJwwEntText {
  TJwwEntHead head;
  int32_t
      textKind;  // "ch" 0, "cv" 1, "cs" 2, "cr" 3, "co" 4, "cp" 5, "ct" 6, "ck" 7, "cz" 8, "c2" 9
  int32_t basePoint;  // 0..8: column + 3 * row
  int32_t textType;   // 1..10: an entry of textTypes; otherwise a free size
  double width, height, spacing;
  double x, y;    // insertion point
  double dx, dy;  // direction vector
  TJwwShortStr fontName;
  TJwwShortStr text;
};

struct TJwwEntPoint {
  TJwwEntHead head;
  double x, y;
};

struct TJwwEntPointEx {
  TJwwEntHead head;
  double x, y, value1, value2;
  int32_t pointCode;
};

struct TJwwEntLineText {
  TJwwEntHead head;
  TJwwEntLine line;
  TJwwEntText text;
};

struct TJwwEntBlk {
  TJwwEntHead head;
  double x, y;
  uint32_t blockName;  // index into blockNames
};

struct TJwwEntSolid2 {
  TJwwEntHead head;
  int32_t solidColour;
  double x1, y1, x2, y2;
};

struct TJwwEntSolid3 {
  TJwwEntHead head;
  int32_t solidColour;
  double x1, y1, x2, y2, x3, y3;
};

struct TJwwEntSolid4 {
  TJwwEntHead head;
  int32_t solidColour;
  double x1, y1, x2, y2, x3, y3, x4, y4;
};

struct TJwwEntSolidSc {  // also the "se" solid
  TJwwEntHead head;
  int32_t solidColour;
  double values[7];
  int32_t code;
};
using TJwwEntSolidSe = TJwwEntSolidSc;

struct TJwwEntSolidSo {  // also the "sg" solid
  TJwwEntHead head;
  int32_t solidColour;
  double values[8];
};
using TJwwEntSolidSg = TJwwEntSolidSo;

struct TJwwEntRef {
  int32_t kind;
  int32_t index;
};
