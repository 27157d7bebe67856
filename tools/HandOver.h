// What the substitute host hands to the tool and what it keeps: a drawing cut
// by the host's selection rules into the selected entities and the others,
// each with the header and attribute lines that give them their attributes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "TransferScan.h"

enum class RangeSelection {
  kNothing,     // no entity is selected (no range directive, or #h0)
  kTextsOnly,   // #h3: texts; a dimension figure too unless #ht30 keeps it out
  kEverything,  // #h1, #h2, or no batch file: the range is the whole drawing
};

struct HandOverRules {
  RangeSelection range = RangeSelection::kEverything;
  bool allLayerGroups = true;               // #g1; else only the write layer group
  std::vector<EntityClass> keptOut;         // #ht10..#ht40: neither erased nor handed over
  std::vector<EntityClass> notErased = {};  // #ht1..#ht4: handed over but not erased
  bool basePoints = true;                   // #zc: "cc" lines are written
  bool zFlags = true;                       // #zz: z lines are written
  bool lineWidths = true;                   // #zw: "lw" lines are written
};

struct HandOverFiles {
  std::string selection;   // header, attribute lines and the selected entities, as drawn
  std::string handedOver;  // the selection as the host writes it: without the
                           // attribute lines that no directive asked for
  std::string kept;        // header, attribute lines and every entity the host does
                           // not erase: those not selected, and those selected
                           // that a #ht1..#ht4 keeps from being erased
  EntityCounts drawingCounts, selectedCounts, keptCounts;
  EntityCounts selectedNotErased;  // in both `selection` and `kept`: what an "hd" answer
                                   // gives back is drawn a second time
};

// Cuts `drawing` (a transfer file) by `rules`. Every line that belongs to no
// entity goes into all three files, each entity's lines into `selection`
// and `handedOver` when it is selected, into `kept` when it is not erased
// (not selected, or selected and not erased), in the drawing's order, byte
// for byte. Never fails.
HandOverFiles CutDrawing(std::string_view drawing, const HandOverRules& rules);
