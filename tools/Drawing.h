// The substitute host's own copy of a drawing: what it needs to check and
// draw, taken out of the entity store so that a second file can be read
// into the store afterwards.
#pragma once

#include <array>
#include <string>
#include <vector>

#include "transfer/JwwGaibu.h"

struct DrawnText {
  std::string text;      // Shift-JIS bytes, as stored
  std::string fontName;  // Shift-JIS bytes
  int textKind = 0;
  int basePoint = 0;
  int textType = 1;
  double width = 0, height = 0, spacing = 0;
  double x = 0, y = 0;    // insertion point (the anchor)
  double dx = 1, dy = 0;  // direction vector
  int layerGroup = 0, layer = 0, colour = 0, zFlags = 0;
  // The text of a line-and-text unit (dimension figure): the tool does not
  // flip it; `unitLine` is the unit's line.
  bool inLineTextUnit = false;
  std::array<double, 4> unitLine{};
};

struct DrawnSegment {
  double x1, y1, x2, y2;
  int colour;
};

struct DrawnCircle {  // also an arc when `isArc`: angles in degrees
  double cx, cy, radius;
  bool isArc;
  double startAngle, endAngle, flatness, tilt;
  int colour;
};

struct DrawnPoint {
  double x, y;
};

// A solid: two corners make a thick line, three or four a filled polygon.
// The curved solids ("sc", "se", "so", "sg") are drawn as their outer arc.
struct DrawnSolid {
  std::vector<std::array<double, 2>> corners;
  bool curved;
  std::array<double, 8> values;  // the curved solid's numbers
};

struct DrawnBlock {  // a block insertion: its insertion point and name
  double x, y;
  std::string name;  // Shift-JIS bytes
};

struct Drawing {
  std::vector<DrawnText> texts;  // text records and unit texts, in input order
  std::vector<DrawnSegment> segments;
  std::vector<DrawnCircle> circles;
  std::vector<DrawnPoint> points;
  std::vector<DrawnSolid> solids;
  std::vector<DrawnBlock> blocks;
  std::array<TJwwTextType, 10> textTypes{};
  // The file's first font name: the one an empty font name stands for when
  // the tool writes a text back.
  std::string firstFontName;
};

// Copies every entity of the entity store, in input order, into a Drawing.
// The store is only read.
Drawing CaptureDrawing();

// Appends every entity of `from` to `into`; the text types and first font
// of `into` stay.
void AppendDrawing(Drawing& into, const Drawing& from);

// Empties the store, reads the transfer file at `path` and returns its
// drawing. When `textTypes` is given, the store's text types are set to it
// before reading: a file the tool wrote back names text types by number only
// and relies on the host's own sizes. False when the file could not be read
// to its end (`drawing` then holds what was read).
bool LoadDrawing(const std::string& path, const std::array<TJwwTextType, 10>* textTypes,
                 Drawing& drawing);
