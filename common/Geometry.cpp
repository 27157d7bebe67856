// Plane geometry of the text flip and the line writer: distances, direction
// angles and rotations, all in double precision and radians. Every result is
// fixed by IEEE 754 arithmetic and correctly rounded functions alone, so
// every build writes the same numbers.
#include "common/Geometry.h"

#include <cmath>

#include "common/exact/ExactNumbers.h"

namespace {

// Components below this magnitude, both at once, make a zero direction.
constexpr double kZeroDirection = 1e-10;

// sqrt(a^2 + b^2) for finite a, b whose squares overflow, so that the
// larger is at least 2^511: both scaled down by 2^600 (exact for the larger;
// a smaller one that loses bits is too small to matter), the same formula,
// scaled back.
double ScaledDistance(double a, double b) {
  const double aScaled = a * 0x1p-600;
  const double bScaled = b * 0x1p-600;
  return std::sqrt(aScaled * aScaled + bScaled * bScaled) * 0x1p600;
}

}  // namespace

// Euclidean distance between (x1, y1) and (x2, y2): the squares of the two
// differences added, then the square root. sqrt is one of IEEE 754's basic
// operations, correctly rounded on every conforming platform (one SSE2
// instruction here), so the result is the same everywhere. Only when the sum
// overflows (points beyond about 1e154 apart) are the differences scaled
// down first, so the result is never infinite for finite points.
double PointDistance(double x1, double y1, double x2, double y2) {
  const double ddx = x2 - x1;
  const double ddy = y2 - y1;
  const double d = std::sqrt(ddx * ddx + ddy * ddy);
  if (std::isinf(d) && std::isfinite(ddx) && std::isfinite(ddy)) return ScaledDistance(ddx, ddy);
  return d;
}

// Direction of (dx, dy) in radians, counter-clockwise from the positive x
// axis, in [0, 2*pi]; a vector whose components are both below 1e-10 in
// magnitude counts as horizontal and gives 0. A negative arctangent is raised
// by 2*pi; a vector just below the positive x axis therefore gives 2*pi itself.
// The arctangent is correctly rounded; the sum is rounded as the extended
// format rounds it, to 64 bits and then to a double (PlusTwoPi).
double VectorAngle(double dx, double dy) {
  if (std::fabs(dx) < kZeroDirection && std::fabs(dy) < kZeroDirection) return 0;
  double r = ArcTangent2(dy, dx);
  if (r < 0) r = PlusTwoPi(r);
  return r;
}

// Turns (x, y) counter-clockwise about (cx, cy) by `angle` radians. The sums
// are evaluated in exactly this grouping, each step rounded to a double, so
// that a text's flipped insertion point is reproducible to the last bit; sin
// and cos are correctly rounded.
void RotatePoint(double x, double y, double cx, double cy, double angle, double& outX,
                 double& outY) {
  double s = 0;
  double c = 0;
  SinCos(angle, s, c);
  const double relX = x - cx;
  const double relY = y - cy;
  const double alongX = relX * c + cx;
  const double alongY = relX * s + cy;
  outX = alongX - relY * s;
  outY = alongY + relY * c;
}
