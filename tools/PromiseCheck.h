// The tool's promise: a flipped text is drawn exactly where it was. Each text
// of the result, matched in order with the text it came from, must keep its
// string, direction, box and every other property; only its base point and
// insertion point may change, and the base point must be the mirror that the
// flip type asks for. And an "hd" answer gives back every entity it was
// handed, since the host erases them all before it draws the answer.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "Drawing.h"
#include "TransferScan.h"

// Least tolerance for corners, direction and sizes, in drawing units.
constexpr double kPromiseTolerance = 1e-6;

// Tolerance for values of about `magnitude`: the tool writes 15 significant
// digits, so a far-off corner may move by a few units in the 15th digit of
// its coordinates. Never below kPromiseTolerance.
double PromiseTolerance(double magnitude);

// The four corners of a text's box, counter-clockwise from its bottom-left
// corner in the text's own frame: bottom-left, bottom-right, top-right,
// top-left. Width by TextWidth, height from the record, turned by the
// direction of (dx, dy) (a direction with both components below 1e-10 counts
// as horizontal); the anchor is the base point (column + 3 * row, a code
// outside 0..8 counts as bottom-left).
std::array<std::array<double, 2>, 4> TextBoxCorners(const DrawnText& text);

// True when the tool leaves `text` out of its answer by design: a blank
// string, a direction vector of zero length, or a unit whose line has no
// length.
bool TextLeftOutByTool(const DrawnText& text);

// Flip type that no settings file told: the base points are then not
// compared with a mirror.
constexpr int kFlipTypeUnknown = -100;

struct PromiseReport {
  int checked = 0;                     // texts matched with a text of the result
  int flipped = 0;                     // of those, texts whose base point changed
  int leftOut = 0;                     // texts the tool leaves out by design
  int handedOver = -1, answered = -1;  // entities, when counted
  std::vector<std::string> broken;     // one line per way the promise was broken
  bool Kept() const { return broken.empty(); }
  std::string Summary() const;
};

// Compares `before` (the selection handed to the tool) with `after` (the
// texts of its answer), in order. `flipType` is the flip type the tool used
// (0, 1, 2, any other value: no change expected) or kFlipTypeUnknown.
// `firstFontName` is the first font of the file handed over: a text with an
// empty font name (or "<>") comes back in it. Missing or extra texts are
// reported as broken too. Never fails.
PromiseReport CheckPromise(const std::vector<DrawnText>& before,
                           const std::vector<DrawnText>& after, int flipType,
                           const std::string& firstFontName = {});

// Adds the entity count to `report`: an "hd" answer must hold exactly the
// entities handed over, less the texts the tool leaves out by design
// (`report.leftOut`, from CheckPromise). Both counts come from a plain scan of
// the two files, so that a reader that stops early cannot hide a loss.
void CheckEntityCount(const EntityCounts& handedOver, const EntityCounts& answered,
                      PromiseReport& report);

// Adds to `report` the entities that an "hd" answer draws a second time:
// those handed over that the host did not erase (`selectedNotErased`, kept
// from erasing by #ht1..#ht4), which the answer gives back beside the
// originals.
void CheckNotDrawnTwice(const EntityCounts& selectedNotErased, PromiseReport& report);
