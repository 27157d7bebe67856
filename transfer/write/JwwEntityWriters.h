// Entity writers: one per written kind, in two halves. The attribute half
// takes the index of a record in its kind's array and writes the record's
// attribute lines and z lines through the emitters, whose state makes it
// sequential. The command half calls the command function of its kind with a
// sink; it reads nothing but the record, so the output pass may run it ahead
// on another thread. Block insertions have no writer.
#pragma once

#include <cstdint>

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
