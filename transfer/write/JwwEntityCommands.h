// Entity commands: a command function per host command takes plain values,
// decides whether the entity can be written at all and appends its command
// lines to `out`. The entity writers (JwwEntityWriters.h) call them. They read
// nothing but their arguments, so they may run on any thread with a sink of
// that thread's own. The output lines (JwwOutputLinesSink) belong to the
// calling thread alone, so a sink is never implied: `out` has no default,
// and a command line (JwwCommandLine.h) goes nowhere but to a sink, so that
// a call or a line that forgot its sink does not compile.
#pragma once

#include <cstdint>
#include <string_view>

#include "transfer/write/JwwOutputLines.h"

void PutLine(double x1, double y1, double x2, double y2, TJwwLineSink& out);
void PutPoint(double x, double y, TJwwLineSink& out);
void PutPointEx(double x, double y, double value1, double value2, int32_t pointCode,
                TJwwLineSink& out);
void PutCircle(double cx, double cy, double radius, TJwwLineSink& out);
void PutArc(double cx, double cy, double radius, double startAngle, double endAngle,
            double flatness, double tilt, TJwwLineSink& out);
void PutText(int32_t textKind, std::string_view text, double x, double y, double dx, double dy,
             TJwwLineSink& out);
void PutLineText(std::string_view text, double x1, double y1, double x2, double y2, double x,
                 double y, double dx, double dy, TJwwLineSink& out);
void PutSolid2(double x1, double y1, double x2, double y2, TJwwLineSink& out);
void PutSolid3(double x1, double y1, double x2, double y2, double x3, double y3, TJwwLineSink& out);
void PutSolid4(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
               double y4, TJwwLineSink& out);
void PutSolidSc(const double values[7], int32_t code, TJwwLineSink& out);
void PutSolidSe(const double values[7], int32_t code, TJwwLineSink& out);
void PutSolidSo(const double values[8], TJwwLineSink& out);
void PutSolidSg(const double values[8], TJwwLineSink& out);
