// The entity store: the in-memory image of the transfer file. One store per
// process, held as module-level state and read and written directly by the
// reader, the writer and the flip.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "transfer/store/JwwBlockList.h"

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

struct TJwwTextType {
  double width, height, spacing;
  int32_t colour;
};

struct TJwwIndicatedPoint {
  bool isSet;
  double x, y;
  int32_t snapKind;  // 0 none, 1 "-", 2 "ln", 3 "ci", 4 "ch"
};

// --- Entities ----------------------------------------------------------------

extern TJwwBlockList<TJwwEntRef> entityOrder;
extern TJwwBlockList<TJwwEntLine> jwwLines;
extern TJwwBlockList<TJwwEntCircle> jwwCircles;
extern TJwwBlockList<TJwwEntArc> jwwArcs;
extern TJwwBlockList<TJwwEntText> jwwTexts;
extern TJwwBlockList<TJwwEntPoint> jwwPoints;
extern TJwwBlockList<TJwwEntPointEx> jwwPointExs;
extern TJwwBlockList<TJwwEntLineText> jwwLineTexts;
extern TJwwBlockList<TJwwEntBlk> jwwBlks;
extern TJwwBlockList<TJwwEntSolid2> jwwSolid2s;
extern TJwwBlockList<TJwwEntSolid3> jwwSolid3s;
extern TJwwBlockList<TJwwEntSolid4> jwwSolid4s;
extern TJwwBlockList<TJwwEntSolidSc> jwwSolidScs;
extern TJwwBlockList<TJwwEntSolidSe> jwwSolidSes;
extern TJwwBlockList<TJwwEntSolidSo> jwwSolidSos;
extern TJwwBlockList<TJwwEntSolidSg> jwwSolidSgs;

// Block names have no length limit; a block record names its entry here.
extern std::vector<std::string> blockNames;

// Number of records of `kind` (0 for a kind outside 1..15).
int32_t JwwKindCount(int32_t kind);

// --- Header settings -----------------------------------------------------------

struct TJwwHeader {
  std::string drawingFileName;
  double hkValue;
  double groupScales[16];
  double paperWidth, paperHeight;
  TJwwTextType textTypes[10];  // entry i is text type i + 1
  bool bzFlag;
  double hnValues[4];
  std::vector<int32_t> groupValues;                 // 16, by group
  std::vector<std::string> groupNames;              // 16, by group
  std::vector<int32_t> layerValues;                 // 256, group * 16 + layer
  std::vector<std::string> layerNames;              // 256, group * 16 + layer
  std::vector<TJwwIndicatedPoint> indicatedPoints;  // 100, by point number
  int32_t indicatedPointCount;
  bool lineWidthSeen;
};
extern TJwwHeader jwwHeader;

// --- Attribute state -----------------------------------------------------------

struct TJwwInitialAttributes {
  int32_t initialGroup, initialLayer, initialColour, initialLineType, initialLineWidth;
  int32_t initialTextType;
  double initialFreeWidth, initialFreeHeight, initialFreeSpacing;
  int32_t initialFreeColour;
  std::string initialFontName;
};
extern TJwwInitialAttributes initialAttributes;

// One record, two meanings in turn. While the file is read it is the running
// state that each new entity takes; ResetWriterState then gives it its start
// values, and from there on it holds what the writer last wrote (with
// attrPending telling what it has not written yet).
struct TJwwCurrentAttributes {
  int32_t curIndicatedPointNo;
  int32_t curGroup, curLayer, curColour, curLineType, curLineWidth;
  int32_t curTextType;
  double curFreeWidth, curFreeHeight, curFreeSpacing;
  int32_t curFreeColour;
  int32_t curBasePoint;
  std::string curFontName;
  int32_t curZFlags;
  int32_t curPointColour;
  int32_t curSolidColour;  // the extended colour that goes with colour 10
};
extern TJwwCurrentAttributes currentAttributes;

// The colour whose "lc" line carries an extended colour value as its second
// token: the solids keep it (solidColour) and are written back with it.
constexpr int32_t kJwwExtendedColour = 10;

// Indices of attrPending. The first six mean "no line of this kind read yet"
// to the reader; all ten mean "not written yet" to the writer.
enum TJwwAttr : int {
  jaGroup,
  jaLayer,
  jaColour,
  jaLineType,
  jaLineWidth,
  jaTextType,
  jaBasePoint,
  jaFontName,
  jaPointColour,
  jaSolidColour,
  kJwwAttrCount
};
extern bool attrPending[kJwwAttrCount];

// "<ＭＳ ゴシック>" in Shift-JIS.
inline constexpr std::string_view kJwwDefaultFontName =
    "\x3C\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E\x3E";

// --- Reader state kept between lines -------------------------------------------

extern int32_t polylineCount;
extern bool inPolyline;
extern bool lineTextPending;
extern TJwwEntLine pendingLine;

// --- Operations ------------------------------------------------------------------

// Sets every default of the store and empties the entity order, the fifteen
// kind arrays and the text arena: the store's part of JwwInit (JwwGaibu.h).
void JwwInitStore();

// Sets the current attributes back to their defaults, all but curZFlags and
// curIndicatedPointNo, which collect for the next entity.
void JwwResetCurrentAttributes();

// Copies the current attributes that every entity carries into `head`.
void JwwFillHead(TJwwEntHead& head);

// Appends (kind, index) to the entity order. Throws std::bad_alloc when
// memory runs out.
void JwwAddRef(int32_t kind, int32_t index);

// Stores `s` in the text arena, cut to at most 255 bytes without splitting a
// two-byte character, and returns the field that refers to it. Throws
// std::bad_alloc when memory runs out.
TJwwShortStr JwwStoreShortStr(std::string_view s);

// curFontName as a text field; stored once and shared by every text read
// while the current font stays the same.
TJwwShortStr JwwStoreCurrentFontName();

// Frees the tables, the entity order, the kind arrays and the text arena: the
// store's part of JwwRelease (JwwGaibu.h). Counts are left as they are;
// nothing may read the store after.
void JwwReleaseStore();
