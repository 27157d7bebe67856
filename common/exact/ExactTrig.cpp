// Fixed-point series on big integers. Every step rounds down and every
// routine states how many units of its last place it may be off, so that a
// result is an interval that surely holds the true value; the interval is
// rounded at both ends, and when the two ends round apart the precision is
// doubled. Sine, cosine and arctangent of a non-zero double are
// transcendental and never lie exactly halfway between two doubles, so the
// loop always ends. Each routine's error count is derived in
// docs/trigonometry-error-analysis.md, 6.
#include "common/exact/ExactTrig.h"

#include <algorithm>
#include <cmath>

#include "common/exact/DoubleBits.h"

namespace {

constexpr int64_t kFirstPrecision = 128;
constexpr int64_t kGuardBits = 32;

TBigUnsigned One(int64_t fractionBits) {
  return BigShiftLeft(BigFromUint64(1), fractionBits);
}

// atan(1/n) * 2^fractionBits within (terms + 1) units: each term
// floor(2^bits / n^(2k+1)) is exact (nested floors of integer quotients are
// the floor of the whole quotient), its division by 2k+1 is off by less than
// one unit.
TBigUnsigned ArcTangentOfInverse(uint32_t n, int64_t fractionBits) {
  TBigUnsigned power = One(fractionBits);
  BigDivideSmall(power, n);
  TBigUnsigned positive = power;
  TBigUnsigned negative;
  for (uint32_t k = 1;; ++k) {
    BigDivideSmall(power, n * n);
    if (BigIsZero(power)) break;
    TBigUnsigned term = power;
    BigDivideSmall(term, 2 * k + 1);
    TBigUnsigned& sum = k % 2 == 1 ? negative : positive;
    sum = BigAdd(sum, term);
  }
  return BigSubtract(positive, negative);
}

// x * y for two fixed-point values with the same fraction bits, rounded down.
TBigUnsigned FixedMultiply(const TBigUnsigned& x, const TBigUnsigned& y, int64_t fractionBits) {
  return BigShiftRight(BigMultiply(x, y), fractionBits);
}

// The alternating Taylor series first - first r^2/(d1) + ... with each term
// the previous one times r^2 divided by the next `divisor(n)`. Every term is
// within 4 units of its true value (the rounding of r^2 and of the term
// shrinks with the division by at least 2); the partial sums of an
// alternating series of falling terms never drop below zero.
template <typename Divisor>
TFixedValue AlternatingSeries(const TBigUnsigned& first, const TBigUnsigned& r,
                              int64_t fractionBits, Divisor divisor) {
  const TBigUnsigned square = FixedMultiply(r, r, fractionBits);
  TBigUnsigned term = first;
  TBigUnsigned positive = first;
  TBigUnsigned negative;
  uint64_t terms = 1;
  for (uint32_t n = 1;; ++n) {
    term = FixedMultiply(term, square, fractionBits);
    BigDivideSmall(term, divisor(n));
    if (BigIsZero(term)) break;
    TBigUnsigned& sum = n % 2 == 1 ? negative : positive;
    sum = BigAdd(sum, term);
    ++terms;
  }
  return {false, BigSubtract(positive, negative), fractionBits, 4 * terms + 4};
}

// True, with the double, when every value of the interval rounds to it.
bool SettlesRounding(const TFixedValue& value, double& result) {
  const TBigUnsigned error = BigFromUint64(value.error);
  if (BigCompare(value.magnitude, error) <= 0) return false;  // the sign is not known yet
  const double low = BigToDouble(BigSubtract(value.magnitude, error), -value.fractionBits);
  const double high = BigToDouble(BigAdd(value.magnitude, error), -value.fractionBits);
  if (low != high) return false;
  result = value.negative ? -low : low;
  return true;
}

// Raises the precision of `approximate(fractionBits)` until its rounding is
// settled.
template <typename Approximation>
double RoundedOnceSettled(Approximation approximate) {
  for (int64_t fractionBits = kFirstPrecision;; fractionBits *= 2) {
    double result;
    if (SettlesRounding(approximate(fractionBits), result)) return result;
  }
}

// |x| = quadrant * pi/2 + r (modulo 2 pi) with |r| <= pi/4; r as its sign
// and its magnitude * 2^-fractionBits, within 2 units.
struct TReducedAngle {
  int quadrant = 0;
  bool negative = false;
  TBigUnsigned magnitude;
  uint64_t error = 0;
};

TReducedAngle ReduceByHalfPi(double magnitude, int64_t fractionBits) {
  constexpr double kNoReduction = 0.78;  // below pi/4
  if (magnitude < kNoReduction) return {0, false, BigFromDouble(magnitude, fractionBits), 1};
  // The quotient is below 2^quotientBits; pi/2 is taken with that many more
  // bits, and 8 more, so that its error times the quotient stays below a
  // unit of the result.
  const int64_t quotientBits = BinaryExponent(magnitude) + 1;
  const int64_t fineBits = fractionBits + quotientBits + 8;
  const TBigUnsigned halfPi = HalfPiFixed(fineBits);
  TBigUnsigned quotient;
  TBigUnsigned remainder;
  BigDivide(BigFromDouble(magnitude, fineBits), halfPi, quotient, remainder);
  TReducedAngle reduced;
  reduced.quadrant = static_cast<int>(BigLow64(quotient) & 3);
  if (BigCompare(BigShiftLeft(remainder, 1), halfPi) > 0) {
    remainder = BigSubtract(halfPi, remainder);
    reduced.quadrant = (reduced.quadrant + 1) & 3;
    reduced.negative = true;
  }
  reduced.magnitude = BigShiftRight(remainder, fineBits - fractionBits);
  reduced.error = 2;
  return reduced;
}

// sin or cos of a reduced angle r: `wantCosine` picks cos r, else sin r.
TFixedValue SineOrCosine(const TReducedAngle& r, bool wantCosine, int64_t fractionBits) {
  TFixedValue value =
      wantCosine ? CosineFixed(r.magnitude, fractionBits) : SineFixed(r.magnitude, fractionBits);
  value.error += r.error;
  return value;
}

}  // namespace

// Machin's formula pi/2 = 8 atan(1/5) - 2 atan(1/239), with 32 guard bits
// that absorb the error of both series.
TBigUnsigned HalfPiFixed(int64_t fractionBits) {
  const int64_t workingBits = fractionBits + kGuardBits;
  const TBigUnsigned eightFifths = BigShiftLeft(ArcTangentOfInverse(5, workingBits), 3);
  const TBigUnsigned twoPart = BigShiftLeft(ArcTangentOfInverse(239, workingBits), 1);
  return BigShiftRight(BigSubtract(eightFifths, twoPart), kGuardBits);
}

TFixedValue SineFixed(const TBigUnsigned& r, int64_t fractionBits) {
  return AlternatingSeries(r, r, fractionBits, [](uint32_t n) { return (2 * n) * (2 * n + 1); });
}

TFixedValue CosineFixed(const TBigUnsigned& r, int64_t fractionBits) {
  return AlternatingSeries(One(fractionBits), r, fractionBits,
                           [](uint32_t n) { return (2 * n - 1) * (2 * n); });
}

// Euler's series atan(z) = z/(1+z^2) * sum c_n w^n with w = z^2/(1+z^2) and
// c_n = c_(n-1) * 2n/(2n+1): with z = p/q, w = p^2/(p^2+q^2) <= 1/2 and
// z/(1+z^2) = pq/(p^2+q^2), both taken straight from the integers. Each term
// is within 4.25 units, the sum below 2, the factor below 1/2
// (docs/trigonometry-error-analysis.md, 6).
TFixedValue ArcTangentFixed(const TBigUnsigned& numerator, const TBigUnsigned& denominator,
                            int64_t fractionBits) {
  const TBigUnsigned numeratorSquare = BigMultiply(numerator, numerator);
  const TBigUnsigned sumOfSquares = BigAdd(numeratorSquare, BigMultiply(denominator, denominator));
  TBigUnsigned ratio;
  TBigUnsigned factor;
  TBigUnsigned unused;
  BigDivide(BigShiftLeft(numeratorSquare, fractionBits), sumOfSquares, ratio, unused);
  BigDivide(BigShiftLeft(BigMultiply(numerator, denominator), fractionBits), sumOfSquares, factor,
            unused);
  TBigUnsigned term = One(fractionBits);
  TBigUnsigned sum = term;
  uint64_t terms = 1;
  for (uint32_t n = 1;; ++n) {
    term = FixedMultiply(term, ratio, fractionBits);
    BigMultiplySmall(term, 2 * n);
    BigDivideSmall(term, 2 * n + 1);
    if (BigIsZero(term)) break;
    sum = BigAdd(sum, term);
    ++terms;
  }
  return {false, FixedMultiply(factor, sum, fractionBits), fractionBits, 6 * terms + 8};
}

// sin x: quadrant 0 sin r, 1 cos r, 2 -sin r, 3 -cos r; odd in x. Zero,
// whose sine is exactly zero, is given back as it is.
double ExactSine(double x) {
  if (x == 0) return x;
  return RoundedOnceSettled([x](int64_t fractionBits) {
    const TReducedAngle r = ReduceByHalfPi(std::fabs(x), fractionBits);
    const bool cosinePart = r.quadrant % 2 == 1;
    TFixedValue value = SineOrCosine(r, cosinePart, fractionBits);
    value.negative = ((r.quadrant >= 2) != (!cosinePart && r.negative)) != (x < 0);
    return value;
  });
}

// cos x: quadrant 0 cos r, 1 -sin r, 2 -cos r, 3 sin r; even in x.
double ExactCosine(double x) {
  return RoundedOnceSettled([x](int64_t fractionBits) {
    const TReducedAngle r = ReduceByHalfPi(std::fabs(x), fractionBits);
    const bool sinePart = r.quadrant % 2 == 1;
    TFixedValue value = SineOrCosine(r, !sinePart, fractionBits);
    value.negative = (r.quadrant == 1 || r.quadrant == 2) != (sinePart && r.negative);
    return value;
  });
}

// With a = atan(min/max) of the magnitudes: a, pi/2 - a, pi/2 + a or pi - a
// by the octant, and the sign of y.
double ExactArcTangent2(double y, double x) {
  const bool swapped = std::fabs(y) > std::fabs(x);
  const double smaller = swapped ? std::fabs(x) : std::fabs(y);
  const double larger = swapped ? std::fabs(y) : std::fabs(x);
  // The two magnitudes as integers with a common power of two left out.
  uint64_t smallerSignificand, largerSignificand;
  int smallerExponent, largerExponent;
  SplitDouble(smaller, smallerSignificand, smallerExponent);
  SplitDouble(larger, largerSignificand, largerExponent);
  const int common = std::min(smallerExponent, largerExponent);
  const TBigUnsigned numerator =
      BigShiftLeft(BigFromUint64(smallerSignificand), smallerExponent - common);
  const TBigUnsigned denominator =
      BigShiftLeft(BigFromUint64(largerSignificand), largerExponent - common);
  return RoundedOnceSettled([&](int64_t fractionBits) {
    TFixedValue angle = ArcTangentFixed(numerator, denominator, fractionBits);
    if (swapped || x < 0) {
      const TBigUnsigned halfPi = HalfPiFixed(fractionBits);
      if (!swapped) {
        angle.magnitude = BigSubtract(BigShiftLeft(halfPi, 1), angle.magnitude);
      } else if (x > 0) {
        angle.magnitude = BigSubtract(halfPi, angle.magnitude);
      } else {
        angle.magnitude = BigAdd(halfPi, angle.magnitude);
      }
      angle.error += 4;
    }
    angle.negative = y < 0;
    return angle;
  });
}
