// Correctly rounded sin, cos and atan2, and the angle sum (Trigonometry.h).
// The error bounds below are derived in docs/trigonometry-error-analysis.md.
#include "common/exact/Trigonometry.h"

#include <cmath>
#include <cstdint>

#include "common/exact/DoubleBits.h"
#include "common/exact/DoubleDouble.h"
#include "common/exact/ExactTrig.h"
#include "common/exact/TrigSteps.h"
#include "common/exact/TrigTables.h"

// --- sin and cos -----------------------------------------------------------------
// sin and cos together: one reduction x = k pi/2 + r, one table step
// r = j/1024 + t with |t| <= 2^-11, then sin(j/1024 + t) and cos(j/1024 + t)
// from the table and the Taylor series of t, in double-double where a double
// is not enough.

namespace {

// Below this magnitude sin x rounds to x and cos x to 1: the terms x^3/6
// and x^2/2 are less than a quarter of an ulp of x and of 1.
constexpr double kTinyAngle = 0x1p-27;

// Up to here k stays below 2^19, so that k times each 33-bit part of pi/2 is
// exact; larger arguments take the exact route.
constexpr double kReductionLimit = 0x1p19;

// Bound on the error of the double-double results relative to them. The
// analysis gives less than 2^-72: about six roundings of 2^-53 on terms below
// 2^-23 of the result (the Taylor terms beyond t, the products with
// cos t - 1, their sums); the low parts left out, the table and the reduced
// angle's relative error add less than 2^-86
// (docs/trigonometry-error-analysis.md, 4.2 and 4.3).
constexpr double kSinCosBound = 0x1p-70;

// Bound on the absolute error of the reduced angle per unit of k: k times
// the 2^-156 by which the four parts miss pi/2, and the 2^-148.8 that the
// rounding of the reduction's tail adds, are below 0.58 k 2^-148
// (docs/trigonometry-error-analysis.md, 4.1).
constexpr double kReductionErrorPerStep = 0x1p-148;

// The correctly rounded value of y, known to within `bound`, or of the exact
// route where that does not settle it.
template <typename ExactRoute>
double Rounded(TDoubleDouble y, double bound, ExactRoute exact) {
  double result;
  if (RoundsUnambiguously(y, bound, result)) return result;
  return exact();
}

}  // namespace

void SinCos(double x, double& sine, double& cosine) {
  const double magnitude = std::fabs(x);
  if (!(magnitude < kReductionLimit)) {
    if (std::isfinite(x)) {
      sine = ExactSine(x);
      cosine = ExactCosine(x);
    } else {
      sine = cosine = x - x;  // NaN
    }
    return;
  }
  if (magnitude < kTinyAngle) {
    sine = x;  // keeps the sign of zero
    cosine = 1;
    return;
  }
  const TTrigConstants& constants = TrigConstants();
  const double k = HalfPiMultiple(magnitude, constants);
  TDoubleDouble r = ReduceByHalfPi(magnitude, k, constants);
  const bool negativeR = r.hi < 0;
  if (negativeR) r = DdNegate(r);
  TDoubleDouble sineR, cosineR;
  SinCosOfReduced(r, sineR, cosineR);
  if (negativeR) sineR = DdNegate(sineR);

  // sin x: quadrant 0 sin r, 1 cos r, 2 -sin r, 3 -cos r; cos x: cos r, -sin r,
  // -cos r, sin r. sin is odd, cos even.
  const int quadrant = static_cast<int>(k) & 3;
  TDoubleDouble sineX = quadrant % 2 == 0 ? sineR : cosineR;
  TDoubleDouble cosineX = quadrant % 2 == 0 ? cosineR : sineR;
  if (quadrant >= 2) sineX = DdNegate(sineX);
  if (quadrant == 1 || quadrant == 2) cosineX = DdNegate(cosineX);
  if (x < 0) sineX = DdNegate(sineX);

  const double reductionError = k * kReductionErrorPerStep;
  sine = Rounded(sineX, kSinCosBound * std::fabs(sineX.hi) + reductionError,
                 [x] { return ExactSine(x); });
  cosine = Rounded(cosineX, kSinCosBound * std::fabs(cosineX.hi) + reductionError,
                   [x] { return ExactCosine(x); });
}

// --- atan2 -----------------------------------------------------------------------
// atan2 from the arctangent of z = min/max of the magnitudes, 0 < z <= 1:
// z = c + a rest with c = j/1024, atan z = atan c + atan d with
// d = (z - c) / (1 + z c), |d| <= 2^-11; atan c from the table, atan d from
// its Taylor series; then pi/2 - a, pi/2 + a or pi - a by the octant. Double-
// double where a double is not enough.

namespace {

// Magnitudes within [2^-400, 2^400] keep the quotient, its exact product
// with the larger and the remainder within the normal range (a cubic of a
// quotient below 2^-340 may underflow, far below the quotient's last bit);
// others take the exact route.
constexpr double kLeastMagnitude = 0x1p-400;
constexpr double kGreatestMagnitude = 0x1p400;

// Bound on the error relative to the result. The analysis gives less than
// 2^-73: the Taylor terms beyond d evaluated in double (below 2^-73.4 of d,
// and |d| is at most 1.28 times the result), then z, d, the table and the
// double-double sums within 2^-99 (docs/trigonometry-error-analysis.md, 5).
constexpr double kArcTangentBound = 0x1p-70;

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
  if (RoundsUnambiguously(angle, kArcTangentBound * std::fabs(angle.hi), result)) return result;
  return ExactArcTangent2(y, x);
}

// --- the angle sum ----------------------------------------------------------------
// r + 2 pi as the extended format computes it: 2 pi held to 64 significant
// bits, the sum rounded to 64 bits, that rounded to a double, each to nearest
// with ties to even. Emulated on integers, so that no build depends on a
// long double (which MSVC does not have). Why it is exact:
// docs/trigonometry-error-analysis.md, "The angle sum".

namespace {

// 2 pi to 64 significant bits, ties to even: kTwoPiSignificand * 2^-61.
constexpr uint64_t kTwoPiSignificand = 0xC90FDAA22168C235;
constexpr int kTwoPiScale = -61;
// The sum is worked out in units of 2^-125: 64 bits below 2 pi's last bit.
constexpr int kSumScale = kTwoPiScale - 64;
constexpr uint64_t kHalfWord = uint64_t{1} << 63;

// n * 2^scale rounded to 53 bits, ties to even, for 2^63 <= n < 2^64 and a
// result in the normal range.
double RoundedToDouble(uint64_t n, int scale) {
  constexpr int kDropped = 64 - 53;
  constexpr uint64_t kHalf = uint64_t{1} << (kDropped - 1);
  const uint64_t kept = n >> kDropped;
  const uint64_t rest = n & ((kHalf << 1) - 1);
  const uint64_t rounded = kept + (rest > kHalf || (rest == kHalf && (kept & 1) != 0) ? 1 : 0);
  // rounded <= 2^53 converts exactly; the power of two scales exactly.
  return static_cast<double>(rounded) *
         DoubleFromBits(static_cast<uint64_t>(kExponentBias + scale + kDropped) << kFractionBits);
}

}  // namespace

double PlusTwoPi(double r) {
  const double twoPi = RoundedToDouble(kTwoPiSignificand, kTwoPiScale);
  if (!(r < 0 && r > -4)) return r + twoPi;  // outside the emulation's range, NaN too
  uint64_t significand = 0;
  int exponent = 0;
  SplitDouble(r, significand, exponent);  // |r| = significand * 2^exponent
  const int shift = exponent - kSumScale;
  // |r| < 2^-73 (subnormals included; |r| = significand * 2^exponent with
  // the significand below 2^53 and the exponent below -125): the sum lies
  // closer to 2 pi than half a unit of its 64th bit, 2^-62, so the first
  // rounding gives 2 pi.
  if (shift < 0) return twoPi;
  // |r| = high * 2^64 + low units of 2^-125, exactly; |r| < 4 puts its top
  // bit at most 127 places up.
  const uint64_t high =
      shift >= 64 ? significand << (shift - 64) : (significand >> 1) >> (63 - shift);
  const uint64_t low = shift >= 64 ? 0 : significand << shift;
  // 2 pi - |r| in the same units, exactly: above 2 pi - 4 > 2, so nothing
  // wraps.
  uint64_t sumLow = 0 - low;
  uint64_t sumHigh = kTwoPiSignificand - high - (low != 0 ? 1 : 0);
  int scale = kTwoPiScale;
  if ((sumHigh & kHalfWord) == 0) {  // a sum in [2, 4): one more bit into the 64
    sumHigh = (sumHigh << 1) | (sumLow >> 63);
    sumLow <<= 1;
    scale -= 1;
  }
  // First rounding, to 64 bits. It never carries out of them: a sum in [4, 8)
  // is at most 2 pi itself, and one in [2, 4) comes from |r| > 2, a multiple
  // of 2^-51, so it has no bits below the 64.
  if (sumLow > kHalfWord || (sumLow == kHalfWord && (sumHigh & 1) != 0)) sumHigh += 1;
  // Second rounding, to a double.
  return RoundedToDouble(sumHigh, scale);
}
