// The entity store: the in-memory image of the transfer file. One store per
// process, held as module-level state and read and written directly by the
// reader, the writer and the flip. This is the store's one public header:
// besides the state and operations below it gives the records (JwwRecords.h)
// and the kinds' arrays and table (JwwEntityKinds.h), which the layers above
// reach through it alone.
//
// Who writes each global and who reads it, in the three phases of a run:
// read (JwwReadFile, as the window opens), flip (FlipAllTexts, on OK) and
// write (ResetWriterState once the file is read, then the output pass on
// OK). JwwInit and JwwRelease set and free every one of them besides;
// between read and flip the window reads the number of texts.
//
//   global                          read phase          flip phase    write phase
//   entityOrder, the kind arrays    reader appends      -             writer reads, in order
//   jwwTexts: basePoint, x, y       reader sets         flip changes  writer reads
//   blockNames                      reader appends      -             - (kept as read)
//   jwwHeader                       reader sets; reads  -             writer reads bzFlag,
//                                   textTypes                         lineWidthSeen
//   initialAttributes               reader sets         -             writer reads
//   currentAttributes, attrPending  reader: its         -             writer: ResetWriterState,
//                                   running state                     then what it wrote last
//   polylineCount, inPolyline,      reader: its state   -             -
//   lineTextPending, pendingLine    between lines
//
// No other layer's state is shared: the output lines belong to the writer,
// jwwReadResult to the reader, and the seams' switches are set before a run.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "transfer/store/JwwBlockList.h"
#include "transfer/store/JwwEntityKinds.h"
#include "transfer/store/JwwRecords.h"

// --- Entities ----------------------------------------------------------------

extern TJwwBlockList<TJwwEntRef> entityOrder;

// Block names have no length limit; a block record names its entry here.
extern std::vector<std::string> blockNames;

// --- Header settings -----------------------------------------------------------

struct TJwwTextType {
  double width, height, spacing;
  int32_t colour;
};

struct TJwwIndicatedPoint {
  bool isSet;
  double x, y;
  int32_t snapKind;  // 0 none, 1 "-", 2 "ln", 3 "ci", 4 "ch"
};

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
