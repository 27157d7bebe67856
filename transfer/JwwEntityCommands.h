// Entity commands: a command function per host command takes plain values,
// decides whether the entity can be written at all and appends its command
// lines; an entity writer per kind writes a stored record's attribute lines
// and calls its command function.
#pragma once

#include <cstdint>
#include <string_view>

// --- Command functions ---------------------------------------------------------

void PutLine(double x1, double y1, double x2, double y2);
void PutPoint(double x, double y);
void PutPointEx(double x, double y, double value1, double value2, int32_t pointCode);
void PutCircle(double cx, double cy, double radius);
void PutArc(double cx, double cy, double radius, double startAngle, double endAngle,
            double flatness, double tilt);
void PutText(int32_t textKind, std::string_view text, double x, double y, double dx, double dy);
void PutLineText(std::string_view text, double x1, double y1, double x2, double y2, double x,
                 double y, double dx, double dy);
void PutSolid2(double x1, double y1, double x2, double y2);
void PutSolid3(double x1, double y1, double x2, double y2, double x3, double y3);
void PutSolid4(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
               double y4);
void PutSolidSc(const double values[7], int32_t code);
void PutSolidSe(const double values[7], int32_t code);
void PutSolidSo(const double values[8]);
void PutSolidSg(const double values[8]);

// --- Entity writers (argument: index into the kind's array) --------------------

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
