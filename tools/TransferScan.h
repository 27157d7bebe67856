// A plain scan of a transfer file, independent of the project's reader: which
// line is a header, an attribute or part of which entity. The substitute host
// uses it to cut a drawing into what it hands over and what it keeps, and to
// count the entities of the tool's answer, so that a fault in the reader
// cannot hide itself by agreeing with the check.
#pragma once

#include <string>
#include <string_view>
#include <vector>

// What an entity is, as far as the host's selection tells entities apart.
enum class EntityClass {
  kText,             // one of the ten text keywords, outside a dimension figure
  kDimensionFigure,  // "msg", its line and its "cs" text: one entity
  kLine,             // a plain line of four numbers
  kCurveLine,        // a plain line inside a "pl" run
  kCircle,           // circles and arcs
  kPoint,
  kBlock,  // block insertion "BL"
  kSolid,  // "sl", "sc", "se", "so", "sg"
};

// Attribute lines that the host writes only when a directive asks for them.
enum class OptionalAttribute {
  kNone,
  kBasePoint,  // "cc": written with #zc
  kZFlags,     // "z1".."z5": written with #zz
  kLineWidth,  // "lw": written with #zw
};

struct ScannedLine {
  std::string_view bytes;  // the line with its line end, as in the file
  int entity = -1;         // index into `entities` when the line belongs to one
  OptionalAttribute optional = OptionalAttribute::kNone;
};

struct ScannedEntity {
  EntityClass kind;
  int layerGroup;  // the layer group in force at the entity's line
};

struct TransferScan {
  std::vector<ScannedLine> lines;
  std::vector<ScannedEntity> entities;
  int firstLayerGroup = 0;  // group of the first "lg" line: the host's write group
};

// Scans `bytes` line by line (a line ends at LF; a CR before it stays part of
// the line's bytes). Every line is kept, in order, whatever it holds: an end
// of file mark or a line the reader would drop is scanned like any other, so
// that the scan counts what the file holds, not what a reader makes of it.
// A line belongs to an entity when it is the entity's own line or a line that
// only prepares it: z lines, "hhp", "pl" before a curve, and "msg" with the
// line of a dimension figure. Never fails.
TransferScan ScanTransfer(std::string_view bytes);

// How many entities are texts, and how many are anything else.
struct EntityCounts {
  int texts = 0;
  int others = 0;
  void Add(EntityClass kind) { (kind == EntityClass::kText ? texts : others) += 1; }
  int Total() const { return texts + others; }
};

// The entities of `scan`, counted.
EntityCounts CountEntities(const TransferScan& scan);
