// The degenerate-entity tests of the command functions.
#include "transfer/write/JwwWritability.h"

#include <cmath>

#include "common/MyFunc.h"
#include "transfer/write/JwwOutputLines.h"

namespace {

bool IsZero(double value) {
  return std::fabs(value) <= kJwwTolerance;
}
bool IsPositive(double value) {
  return value > kJwwTolerance;
}

bool DirectionIsZero(double dx, double dy) {
  return IsZero(dx) && IsZero(dy);
}

// values[2] is the size that must be positive and values[3] the value that
// must not be zero in every "sc", "se", "so" and "sg" solid.
bool SolidValuesUsable(const double* values) {
  return IsPositive(values[2]) && !IsZero(values[3]);
}

}  // namespace

bool PointsCoincide(double x1, double y1, double x2, double y2) {
  return std::fabs(x1 - x2) < kJwwTolerance && std::fabs(y1 - y2) < kJwwTolerance;
}

bool TextIsBlank(std::string_view text) {
  // Only the bytes that an output line can carry are judged: a longer text
  // would be written as just those.
  char buffer[kJwwLineMax];
  text = text.substr(0, CharBoundaryLength(text, kJwwLineMax));
  return StripBlanks(text, buffer).empty();
}

bool LineIsWritable(double x1, double y1, double x2, double y2) {
  return !PointsCoincide(x1, y1, x2, y2);
}

bool CircleIsWritable(double radius) {
  return IsPositive(radius);
}

bool ArcIsWritable(double radius, double flatness) {
  return IsPositive(radius) && !IsZero(flatness);
}

bool TextIsWritable(std::string_view text, double dx, double dy) {
  return !DirectionIsZero(dx, dy) && !TextIsBlank(text);
}

bool LineTextIsWritable(double x1, double y1, double x2, double y2, double dx, double dy) {
  return !PointsCoincide(x1, y1, x2, y2) && !DirectionIsZero(dx, dy);
}

bool Solid2IsWritable(double x1, double y1, double x2, double y2) {
  return !PointsCoincide(x1, y1, x2, y2);
}

bool Solid3IsWritable(double x1, double y1, double x2, double y2, double x3, double y3) {
  return !PointsCoincide(x1, y1, x2, y2) && !PointsCoincide(x2, y2, x3, y3) &&
         !PointsCoincide(x3, y3, x1, y1);
}

// The corner tests in a fixed order; the first that holds decides. A
// reduction to three corners is then tested as a three-point solid again.
TJwwSolid4Outcome ReduceSolid4(double x1, double y1, double x2, double y2, double x3, double y3,
                               double x4, double y4) {
  auto three = [](double ax, double ay, double bx, double by, double cx, double cy) {
    if (!Solid3IsWritable(ax, ay, bx, by, cx, cy)) return TJwwSolid4Outcome{0, {}};
    return TJwwSolid4Outcome{3, {ax, ay, bx, by, cx, cy, 0, 0}};
  };
  if (PointsCoincide(x1, y1, x2, y2)) return three(x1, y1, x3, y3, x4, y4);
  if (PointsCoincide(x1, y1, x3, y3)) return {0, {}};
  if (PointsCoincide(x1, y1, x4, y4)) return three(x1, y1, x2, y2, x3, y3);
  if (PointsCoincide(x2, y2, x3, y3)) return three(x1, y1, x2, y2, x4, y4);
  if (PointsCoincide(x2, y2, x4, y4)) return {0, {}};
  if (PointsCoincide(x3, y3, x4, y4)) return three(x1, y1, x2, y2, x3, y3);
  return {4, {x1, y1, x2, y2, x3, y3, x4, y4}};
}

bool SolidScIsWritable(const double values[7], int32_t code) {
  bool codeAllowed = code == -1 || code == 0 || code == 5 || code == 100;
  return SolidValuesUsable(values) && codeAllowed;
}

bool SolidSeIsWritable(const double values[7], int32_t code) {
  return SolidValuesUsable(values) && (code == 0 || code == 100);
}

bool SolidSoIsWritable(const double values[8]) {
  return SolidValuesUsable(values) && IsPositive(values[7]) &&
         values[7] < values[2] - kJwwTolerance;
}
