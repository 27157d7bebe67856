// Entity commands: a command function per host command takes plain values,
// decides whether the entity can be written at all and appends its command
// lines. The entity writers (JwwEntityWriters.h) call them.
#pragma once

#include <cstdint>
#include <string_view>

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
