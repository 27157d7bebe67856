// Entity writers: one per written kind. Each takes the index of a record in
// its kind's array, writes the record's attribute lines and calls the command
// function of its kind. Block insertions have none.
#pragma once

#include <cstdint>

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
