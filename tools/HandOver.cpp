#include "HandOver.h"

#include <algorithm>

namespace {

bool Lists(const std::vector<EntityClass>& kinds, EntityClass kind) {
  return std::find(kinds.begin(), kinds.end(), kind) != kinds.end();
}

bool IsSelected(const ScannedEntity& e, const HandOverRules& rules, int writeGroup) {
  if (!rules.allLayerGroups && e.layerGroup != writeGroup) return false;
  if (Lists(rules.keptOut, e.kind)) return false;
  switch (rules.range) {
    case RangeSelection::kNothing:
      return false;
    case RangeSelection::kTextsOnly:
      // Whether the host counts a dimension figure's value as a text is not
      // documented; it is taken to come, figure and all, unless #ht30 keeps
      // it out.
      return e.kind == EntityClass::kText || e.kind == EntityClass::kDimensionFigure;
    case RangeSelection::kEverything:
      return true;
  }
  return false;
}

// True when the host writes this line under `rules` (attribute lines that
// only a directive asks for).
bool Written(OptionalAttribute a, const HandOverRules& rules) {
  switch (a) {
    case OptionalAttribute::kBasePoint:
      return rules.basePoints;
    case OptionalAttribute::kZFlags:
      return rules.zFlags;
    case OptionalAttribute::kLineWidth:
      return rules.lineWidths;
    case OptionalAttribute::kNone:
      return true;
  }
  return true;
}

}  // namespace

HandOverFiles CutDrawing(std::string_view drawing, const HandOverRules& rules) {
  const TransferScan scan = ScanTransfer(drawing);
  std::vector<bool> selected(scan.entities.size()), erased(scan.entities.size());
  HandOverFiles files;
  for (size_t i = 0; i < scan.entities.size(); ++i) {
    const EntityClass kind = scan.entities[i].kind;
    selected[i] = IsSelected(scan.entities[i], rules, scan.firstLayerGroup);
    erased[i] = selected[i] && !Lists(rules.notErased, kind);
    files.drawingCounts.Add(kind);
    if (selected[i]) files.selectedCounts.Add(kind);
    if (!erased[i]) files.keptCounts.Add(kind);
    if (selected[i] && !erased[i]) files.selectedNotErased.Add(kind);
  }
  for (const auto& line : scan.lines) {
    const bool toSelection = line.entity < 0 || selected[line.entity];
    const bool toKept = line.entity < 0 || !erased[line.entity];
    if (toSelection) files.selection += line.bytes;
    if (toSelection && Written(line.optional, rules)) files.handedOver += line.bytes;
    if (toKept) files.kept += line.bytes;
  }
  return files;
}
