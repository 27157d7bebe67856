// The fifteen kinds' arrays, the one table of the kinds and the one table of
// the ten text keywords. Each kind's row names its number, the keyword of its
// statement where it has one of its own, and its array. Clearing and
// releasing the store, counting records and every walk over the records
// follow the table and need nothing more for a new kind; the reader chooses
// an array through it only for the solids that share a record. A new kind
// still needs its record (JwwRecords.h) and its array (here and in
// JwwEntityKinds.cpp), its statement (JwwReader, JwwReaderEntities), and its
// command and writer (JwwEntityCommands, JwwEntityWriters, whose table of
// writers the output pass dispatches on; the compiler holds it to this
// table's order).
#pragma once

#include <cstdint>
#include <string_view>
#include <tuple>
#include <type_traits>

#include "transfer/store/JwwBlockList.h"
#include "transfer/store/JwwRecords.h"

// The records of each kind, in the order read.
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

// Number of records of `kind` (0 for a kind outside 1..15).
int32_t JwwKindCount(int32_t kind);

// Text keywords by text kind ("ch" 0 .. "c2" 9).
inline constexpr std::string_view kJwwTextKeywords[] = {"ch", "cv", "cs", "cr", "co",
                                                        "cp", "ct", "ck", "cz", "c2"};
constexpr int32_t kJwwTextKindCount = 10;

// "cs", the text kind that completes a line-and-text unit after "msg" and a
// plain line, and the kind that the unit's text is always written back as.
constexpr int32_t kJwwLineTextTextKind = 2;
static_assert(kJwwTextKeywords[kJwwLineTextTextKind] == "cs");

template <class TRecord>
struct TJwwKind {
  using Record = TRecord;
  TJwwEntKind kind;
  // The statement's keyword: "" for the plain line (no keyword) and the text
  // (the ten keywords above). Circle and arc share "ci", the two point kinds
  // "pt", the three "sl" solids "sl"; their token counts tell them apart.
  std::string_view keyword;
  TJwwBlockList<TRecord>* records;
};

inline constexpr std::tuple kJwwKinds{
    TJwwKind<TJwwEntLine>{jekLine, "", &jwwLines},
    TJwwKind<TJwwEntCircle>{jekCircle, "ci", &jwwCircles},
    TJwwKind<TJwwEntArc>{jekArc, "ci", &jwwArcs},
    TJwwKind<TJwwEntText>{jekText, "", &jwwTexts},
    TJwwKind<TJwwEntPoint>{jekPoint, "pt", &jwwPoints},
    TJwwKind<TJwwEntPointEx>{jekPointEx, "pt", &jwwPointExs},
    TJwwKind<TJwwEntLineText>{jekLineText, "msg", &jwwLineTexts},
    TJwwKind<TJwwEntBlk>{jekBlk, "BL", &jwwBlks},
    TJwwKind<TJwwEntSolid2>{jekSolid2, "sl", &jwwSolid2s},
    TJwwKind<TJwwEntSolid3>{jekSolid3, "sl", &jwwSolid3s},
    TJwwKind<TJwwEntSolid4>{jekSolid4, "sl", &jwwSolid4s},
    TJwwKind<TJwwEntSolidSc>{jekSolidSc, "sc", &jwwSolidScs},
    TJwwKind<TJwwEntSolidSe>{jekSolidSe, "se", &jwwSolidSes},
    TJwwKind<TJwwEntSolidSo>{jekSolidSo, "so", &jwwSolidSos},
    TJwwKind<TJwwEntSolidSg>{jekSolidSg, "sg", &jwwSolidSgs},
};

// Calls `f` with every row of the table, in kind order.
template <class F>
constexpr void JwwForEachKind(F&& f) {
  std::apply([&f](const auto&... row) { (f(row), ...); }, kJwwKinds);
}

// Row k of the table is kind k + 1, so tables made from it can be indexed by
// kind.
static_assert([] {
  int32_t next = jekLine;
  bool inOrder = true;
  JwwForEachKind([&](const auto& row) { inOrder = inOrder && row.kind == next++; });
  return inOrder && next == kJwwKindCount + 1;
}());

// The keyword of `kind`'s row.
constexpr std::string_view JwwKindKeyword(TJwwEntKind kind) {
  std::string_view keyword;
  JwwForEachKind([&](const auto& row) {
    if (row.kind == kind) keyword = row.keyword;
  });
  return keyword;
}

// The array of `kind` among the kinds whose record is TRecord (the "sc" and
// "se" solids share one record, the "so" and "sg" solids another); nullptr
// when `kind` is none of them.
template <class TRecord>
constexpr TJwwBlockList<TRecord>* JwwKindRecords(int32_t kind) {
  TJwwBlockList<TRecord>* records = nullptr;
  JwwForEachKind([&](const auto& row) {
    if constexpr (std::is_same_v<typename std::decay_t<decltype(row)>::Record, TRecord>) {
      if (row.kind == kind) records = row.records;
    }
  });
  return records;
}

// Calls `f(row, record)` with the row and the record that `ref` names; a kind
// or an index that names no record calls nothing.
template <class F>
void JwwVisitEntity(const TJwwEntRef& ref, F&& f) {
  JwwForEachKind([&](const auto& row) {
    if (row.kind == ref.kind && ref.index >= 0 && ref.index < row.records->Count()) {
      f(row, (*row.records)[ref.index]);
    }
  });
}
