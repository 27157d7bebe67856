// Plane geometry of the text flip and the line writer: distances, direction
// angles and rotations, all in double precision and radians.
#include <cmath>

#include "common/MyFunc.h"

namespace {

// Components below this magnitude, both at once, make a zero direction.
constexpr double kZeroDirection = 1e-10;

// 2*pi to the full precision of long double. With GCC and MinGW-w64 on x86-64
// long double is the 80-bit x87 format, so a negative angle is turned into
// [0, 2*pi] with a 64-bit significand and rounded to a double only once, at
// the end. A compiler whose long double is a plain double (MSVC, for one)
// would round this constant to the nearest double and add in double
// precision: results could then differ from ours in the last bit.
constexpr long double kTwoPiExtended = 6.283185307179586476925286766559005768L;

}  // namespace

// Euclidean distance between (x1, y1) and (x2, y2): the squares of the two
// differences added, then the square root. Only when that overflows (points
// beyond about 1e154 apart) is the distance taken without squaring, so the
// result is never infinite for finite points.
double PointDistance(double x1, double y1, double x2, double y2) {
  const double ddx = x2 - x1;
  const double ddy = y2 - y1;
  const double d = std::sqrt(ddx * ddx + ddy * ddy);
  if (std::isinf(d) && std::isfinite(ddx) && std::isfinite(ddy)) return std::hypot(ddx, ddy);
  return d;
}

// Direction of (dx, dy) in radians, counter-clockwise from the positive x
// axis, in [0, 2*pi]; a vector whose components are both below 1e-10 in
// magnitude counts as horizontal and gives 0. A negative arctangent is raised
// by 2*pi; a vector just below the positive x axis therefore gives 2*pi itself.
double VectorAngle(double dx, double dy) {
  if (std::fabs(dx) < kZeroDirection && std::fabs(dy) < kZeroDirection) return 0;
  double r = std::atan2(dy, dx);
  if (r < 0) r = static_cast<double>(static_cast<long double>(r) + kTwoPiExtended);
  return r;
}

// Turns (x, y) counter-clockwise about (cx, cy) by `angle` radians. The sums
// are evaluated in exactly this grouping, each step rounded to a double, so
// that a text's flipped insertion point is reproducible to the last bit.
void RotatePoint(double x, double y, double cx, double cy, double angle, double& outX,
                 double& outY) {
  const double c = std::cos(angle);
  const double s = std::sin(angle);
  const double relX = x - cx;
  const double relY = y - cy;
  const double alongX = relX * c + cx;
  const double alongY = relX * s + cy;
  outX = alongX - relY * s;
  outY = alongY + relY * c;
}
