// The command functions: each takes plain values, leaves a degenerate entity
// out by its test of JwwWritability and otherwise appends its command lines.
// Values go out exactly as given, in the output number forms.
#include "transfer/write/JwwEntityCommands.h"

#include <cmath>
#include <string_view>

#include "common/MyFunc.h"
#include "transfer/store/JwwStore.h"
#include "transfer/write/JwwCommandLine.h"
#include "transfer/write/JwwOutputLines.h"
#include "transfer/write/JwwWritability.h"

namespace {

constexpr int32_t kSubstitutePointCode = -3;
constexpr int32_t kLowestPointCode = -7;
constexpr int32_t kHighestPointCode = 11;

// The text keyword of `textKind`; any kind outside 1..9 is written as "ch".
constexpr std::string_view TextKeyword(int32_t textKind) {
  return (textKind >= 1 && textKind < kJwwTextKindCount) ? kJwwTextKeywords[textKind]
                                                         : kJwwTextKeywords[0];
}

// A text command is two output lines: the keyword and numbers ending in a
// space and a double quote, then the text itself, which the saved file joins
// onto the same physical line.
void AddTextCommand(std::string_view keyword, std::string_view text, double x, double y, double dx,
                    double dy, TJwwLineSink& out) {
  TJwwCommandLine(keyword).SpaceReal(x).SpaceReal(y).SpaceReal(dx).SpaceReal(dy).Text(" \"").AddTo(
      out);
  out.Add(text);
}

void AddBareLine(double x1, double y1, double x2, double y2, TJwwLineSink& out) {
  TJwwCommandLine().Real(x1).SpaceReal(y1).SpaceReal(x2).SpaceReal(y2).AddTo(out);
}

// The length of a line rounded half up to eight decimals. The rounding stays
// in floating point (no integer conversion), so no length can overflow;
// trunc, like sqrt, is an exact IEEE 754 operation, the same on every
// platform.
double MeasuredLength(double x1, double y1, double x2, double y2) {
  double d = PointDistance(x1, y1, x2, y2);
  return std::trunc(d / kJwwTolerance + 0.5) * kJwwTolerance;
}

}  // namespace

void PutLine(double x1, double y1, double x2, double y2, TJwwLineSink& out) {
  if (LineIsWritable(x1, y1, x2, y2)) AddBareLine(x1, y1, x2, y2, out);
}

void PutPoint(double x, double y, TJwwLineSink& out) {
  TJwwCommandLine(JwwKindKeyword(jekPoint)).SpaceReal(x).SpaceReal(y).AddTo(out);
}

// Always written; a zero value1 becomes 1 and a point code outside -7..11
// becomes -3.
void PutPointEx(double x, double y, double value1, double value2, int32_t pointCode,
                TJwwLineSink& out) {
  if (std::fabs(value1) <= kJwwTolerance) value1 = 1;
  if (pointCode < kLowestPointCode || pointCode > kHighestPointCode) {
    pointCode = kSubstitutePointCode;
  }
  TJwwCommandLine(JwwKindKeyword(jekPoint))
      .SpaceReal(x)
      .SpaceReal(y)
      .SpaceReal(value1)
      .SpaceReal(value2)
      .SpaceInt(pointCode)
      .AddTo(out);
}

void PutCircle(double cx, double cy, double radius, TJwwLineSink& out) {
  if (!CircleIsWritable(radius)) return;
  TJwwCommandLine(JwwKindKeyword(jekCircle))
      .SpaceReal(cx)
      .SpaceReal(cy)
      .SpaceReal(radius)
      .AddTo(out);
}

// The same keyword as a circle, told apart by its seven values.
void PutArc(double cx, double cy, double radius, double startAngle, double endAngle,
            double flatness, double tilt, TJwwLineSink& out) {
  if (!ArcIsWritable(radius, flatness)) return;
  const double values[] = {cx, cy, radius, startAngle, endAngle, flatness, tilt};
  TJwwCommandLine(JwwKindKeyword(jekArc)).SpaceReals(values, 7).AddTo(out);
}

// The text goes out exactly as held: not stripped, not quoted.
void PutText(int32_t textKind, std::string_view text, double x, double y, double dx, double dy,
             TJwwLineSink& out) {
  if (!TextIsWritable(text, dx, dy)) return;
  AddTextCommand(TextKeyword(textKind), text, x, y, dx, dy, out);
}

// "msg", the line, then a "cs" text. A blank text is replaced in the output
// by the line's measured length; the record keeps its own text.
void PutLineText(std::string_view text, double x1, double y1, double x2, double y2, double x,
                 double y, double dx, double dy, TJwwLineSink& out) {
  if (!LineTextIsWritable(x1, y1, x2, y2, dx, dy)) return;
  TJwwCommandLine length;
  if (TextIsBlank(text)) {
    length.Real(MeasuredLength(x1, y1, x2, y2));
    text = length.View();
  }
  out.Add(JwwKindKeyword(jekLineText));
  AddBareLine(x1, y1, x2, y2, out);
  AddTextCommand(TextKeyword(kJwwLineTextTextKind), text, x, y, dx, dy, out);
}

void PutSolid2(double x1, double y1, double x2, double y2, TJwwLineSink& out) {
  if (!Solid2IsWritable(x1, y1, x2, y2)) return;
  TJwwCommandLine(JwwKindKeyword(jekSolid2))
      .SpaceReal(x1)
      .SpaceReal(y1)
      .SpaceReal(x2)
      .SpaceReal(y2)
      .AddTo(out);
}

void PutSolid3(double x1, double y1, double x2, double y2, double x3, double y3,
               TJwwLineSink& out) {
  if (!Solid3IsWritable(x1, y1, x2, y2, x3, y3)) return;
  const double values[] = {x1, y1, x2, y2, x3, y3};
  TJwwCommandLine(JwwKindKeyword(jekSolid3)).SpaceReals(values, 6).AddTo(out);
}

// A four-point solid with coinciding corners goes out as a three-point solid
// or not at all.
void PutSolid4(double x1, double y1, double x2, double y2, double x3, double y3, double x4,
               double y4, TJwwLineSink& out) {
  TJwwSolid4Outcome outcome = ReduceSolid4(x1, y1, x2, y2, x3, y3, x4, y4);
  const double* p = outcome.points;
  if (outcome.corners == 4) {
    TJwwCommandLine(JwwKindKeyword(jekSolid4)).SpaceReals(p, 8).AddTo(out);
  } else if (outcome.corners == 3) {
    PutSolid3(p[0], p[1], p[2], p[3], p[4], p[5], out);
  }
}

void PutSolidSc(const double values[7], int32_t code, TJwwLineSink& out) {
  if (SolidScIsWritable(values, code))
    TJwwCommandLine(JwwKindKeyword(jekSolidSc)).SpaceReals(values, 7).SpaceInt(code).AddTo(out);
}

void PutSolidSe(const double values[7], int32_t code, TJwwLineSink& out) {
  if (SolidSeIsWritable(values, code))
    TJwwCommandLine(JwwKindKeyword(jekSolidSe)).SpaceReals(values, 7).SpaceInt(code).AddTo(out);
}

void PutSolidSo(const double values[8], TJwwLineSink& out) {
  if (SolidSoIsWritable(values))
    TJwwCommandLine(JwwKindKeyword(jekSolidSo)).SpaceReals(values, 8).AddTo(out);
}

void PutSolidSg(const double values[8], TJwwLineSink& out) {
  if (SolidSoIsWritable(values))
    TJwwCommandLine(JwwKindKeyword(jekSolidSg)).SpaceReals(values, 8).AddTo(out);
}
