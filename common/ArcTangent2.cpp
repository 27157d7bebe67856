// atan2 from the arctangent of z = min/max of the magnitudes, 0 < z <= 1:
// z = c + a rest with c = j/1024, atan z = atan c + atan d with
// d = (z - c) / (1 + z c), |d| <= 2^-11; atan c from the table, atan d from
// its Taylor series; then pi/2 - a, pi/2 + a or pi - a by the octant. Double-
// double where a double is not enough.
#include <cmath>

#include "common/DoubleDouble.h"
#include "common/ExactTrig.h"
#include "common/TrigTables.h"
#include "common/Trigonometry.h"

namespace {

// Magnitudes within [2^-400, 2^400] keep every product and quotient within
// the normal range; others take the exact route.
constexpr double kLeastMagnitude = 0x1p-400;
constexpr double kGreatestMagnitude = 0x1p400;

// Bound on the error relative to the result. The analysis gives less than
// 2^-73: the Taylor terms beyond d evaluated in double (below 2^-74 of d,
// and |d| is at most the result), then z, d, the table and the double-double
// sums within 2^-100.
constexpr double kRelativeBound = 0x1p-70;

// atan(smaller / larger) for 0 < smaller <= larger, both within the fast
// range.
TDoubleDouble ArcTangentOfRatio(double smaller, double larger) {
  const double zHigh = smaller / larger;
  const TDoubleDouble product = TwoProduct(zHigh, larger);
  // smaller - product.hi is exact (Sterbenz): z to about 106 bits.
  const double zLow = ((smaller - product.hi) - product.lo) / larger;
  const int j = static_cast<int>(zHigh * kTableSteps + 0.5);
  const double c = static_cast<double>(j) / kTableSteps;
  TDoubleDouble d = {zHigh, zLow};
  if (j != 0) {
    // zHigh - c is exact: both lie within a factor 2 of each other.
    const TDoubleDouble numerator = FastTwoSum(zHigh - c, zLow);
    const TDoubleDouble zc = TwoProduct(zHigh, c);
    TDoubleDouble denominator = FastTwoSum(1, zc.hi);
    denominator.lo += zc.lo + zLow * c;
    d = DdDivide(numerator, denominator);
  }
  // atan d = d + (-d^3/3 + d^5/5 - d^7/7): the bracket is below 2^-22 |d|.
  const double v = d.hi * d.hi;
  const TDoubleDouble atanD =
      FastTwoSum(d.hi, d.lo + d.hi * v * (-1.0 / 3 + v * (1.0 / 5 - v * (1.0 / 7))));
  if (j == 0) return atanD;
  const TDoubleDouble& atanC = ArcTangentTable()[j];
  const TDoubleDouble lead = TwoSum(atanC.hi, atanD.hi);
  return FastTwoSum(lead.hi, lead.lo + (atanC.lo + atanD.lo));
}

}  // namespace

double ArcTangent2(double y, double x) {
  if (std::isnan(x) || std::isnan(y)) return x + y;
  if (std::isinf(x) || std::isinf(y)) {
    // The limit along the infinite components: (+-inf, +-inf) points along
    // a diagonal, an infinite x or y alone along its axis.
    const double unitY = std::isinf(y) ? std::copysign(1.0, y) : std::copysign(0.0, y);
    const double unitX = std::isinf(x) ? std::copysign(1.0, x) : std::copysign(0.0, x);
    return ArcTangent2(unitY, unitX);
  }
  const TTrigConstants& constants = TrigConstants();
  if (y == 0) return std::signbit(x) ? std::copysign(constants.pi.hi, y) : y;
  if (x == 0) return std::copysign(constants.halfPi.hi, y);

  const double magnitudeX = std::fabs(x);
  const double magnitudeY = std::fabs(y);
  const bool inRange = magnitudeX >= kLeastMagnitude && magnitudeX <= kGreatestMagnitude &&
                       magnitudeY >= kLeastMagnitude && magnitudeY <= kGreatestMagnitude;
  if (!inRange) return ExactArcTangent2(y, x);

  const bool swapped = magnitudeY > magnitudeX;
  TDoubleDouble angle = swapped ? ArcTangentOfRatio(magnitudeX, magnitudeY)
                                : ArcTangentOfRatio(magnitudeY, magnitudeX);
  if (swapped) {
    angle = DdAdd(constants.halfPi, x > 0 ? DdNegate(angle) : angle);
  } else if (x < 0) {
    angle = DdAdd(constants.pi, DdNegate(angle));
  }
  if (y < 0) angle = DdNegate(angle);
  double result;
  if (RoundsUnambiguously(angle, kRelativeBound * std::fabs(angle.hi), result)) return result;
  return ExactArcTangent2(y, x);
}
