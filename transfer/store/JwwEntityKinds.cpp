// The kinds' arrays, each kind's records in the order read.
#include "transfer/store/JwwEntityKinds.h"

#include <array>

TJwwBlockList<TJwwEntLine> jwwLines;
TJwwBlockList<TJwwEntCircle> jwwCircles;
TJwwBlockList<TJwwEntArc> jwwArcs;
TJwwBlockList<TJwwEntText> jwwTexts;
TJwwBlockList<TJwwEntPoint> jwwPoints;
TJwwBlockList<TJwwEntPointEx> jwwPointExs;
TJwwBlockList<TJwwEntLineText> jwwLineTexts;
TJwwBlockList<TJwwEntBlk> jwwBlks;
TJwwBlockList<TJwwEntSolid2> jwwSolid2s;
TJwwBlockList<TJwwEntSolid3> jwwSolid3s;
TJwwBlockList<TJwwEntSolid4> jwwSolid4s;
TJwwBlockList<TJwwEntSolidSc> jwwSolidScs;
TJwwBlockList<TJwwEntSolidSe> jwwSolidSes;
TJwwBlockList<TJwwEntSolidSo> jwwSolidSos;
TJwwBlockList<TJwwEntSolidSg> jwwSolidSgs;

int32_t JwwKindCount(int32_t kind) {
  // The counts of the kind arrays, by kind; entry 0 stands for no kind.
  static constexpr auto kCounts = [] {
    std::array<const TJwwRecordCount*, kJwwKindCount + 1> counts{};
    JwwForEachKind([&](const auto& row) { counts[row.kind] = row.records; });
    return counts;
  }();
  return kind >= jekLine && kind <= kJwwKindCount ? kCounts[kind]->Count() : 0;
}
