// Entity writers: one per written kind, in two halves. The attribute half
// takes the index of a record in its kind's array and writes the record's
// attribute lines and z lines through the emitters, whose state makes it
// sequential. The command half calls the command function of its kind with a
// sink; it reads nothing but the record, so the output pass may run it ahead
// on another thread. Block insertions have no writer.
#pragma once

#include <cstdint>
#include <iterator>

#include "transfer/store/JwwStore.h"
#include "transfer/write/JwwOutputLines.h"

struct TJwwEntityWriter {
  void (*attributes)(int32_t index);
  void (*command)(int32_t index, TJwwLineSink& out);
};

extern const TJwwEntityWriter kJwwLineWriter;
extern const TJwwEntityWriter kJwwCircleWriter;
extern const TJwwEntityWriter kJwwArcWriter;
extern const TJwwEntityWriter kJwwTextWriter;
extern const TJwwEntityWriter kJwwPointWriter;
extern const TJwwEntityWriter kJwwPointExWriter;
extern const TJwwEntityWriter kJwwLineTextWriter;
extern const TJwwEntityWriter kJwwSolid2Writer;
extern const TJwwEntityWriter kJwwSolid3Writer;
extern const TJwwEntityWriter kJwwSolid4Writer;
extern const TJwwEntityWriter kJwwSolidScWriter;
extern const TJwwEntityWriter kJwwSolidSeWriter;
extern const TJwwEntityWriter kJwwSolidSoWriter;
extern const TJwwEntityWriter kJwwSolidSgWriter;

// The writer of each kind, a row per kind in the order of the kinds' table.
struct TJwwKindWriter {
  TJwwEntKind kind;
  const TJwwEntityWriter* writer;  // nullptr: not written back
};

inline constexpr TJwwKindWriter kJwwKindWriters[] = {
    {jekLine, &kJwwLineWriter},
    {jekCircle, &kJwwCircleWriter},
    {jekArc, &kJwwArcWriter},
    {jekText, &kJwwTextWriter},
    {jekPoint, &kJwwPointWriter},
    {jekPointEx, &kJwwPointExWriter},
    {jekLineText, &kJwwLineTextWriter},
    {jekBlk, nullptr},
    {jekSolid2, &kJwwSolid2Writer},
    {jekSolid3, &kJwwSolid3Writer},
    {jekSolid4, &kJwwSolid4Writer},
    {jekSolidSc, &kJwwSolidScWriter},
    {jekSolidSe, &kJwwSolidSeWriter},
    {jekSolidSo, &kJwwSolidSoWriter},
    {jekSolidSg, &kJwwSolidSgWriter},
};

// Row k of this table is the writer of row k of the kinds' table: the same
// kinds in the same order, none left out.
static_assert([] {
  size_t row = 0;
  bool sameKinds = true;
  JwwForEachKind([&](const auto& kind) {
    sameKinds = sameKinds && row < std::size(kJwwKindWriters) &&
                kJwwKindWriters[row++].kind == kind.kind;
  });
  return sameKinds && row == std::size(kJwwKindWriters);
}());

// Both halves of a writer, into the output lines.
void WriteLine(int32_t index);
void WriteCircle(int32_t index);
void WriteArc(int32_t index);
void WriteText(int32_t index);
void WritePoint(int32_t index);
void WritePointEx(int32_t index);
void WriteLineText(int32_t index);
void WriteSolid2(int32_t index);
void WriteSolid3(int32_t index);
void WriteSolid4(int32_t index);
void WriteSolidSc(int32_t index);
void WriteSolidSe(int32_t index);
void WriteSolidSo(int32_t index);
void WriteSolidSg(int32_t index);
