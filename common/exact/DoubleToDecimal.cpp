// magnitude x 10^q = m x 5^q x 2^(e+q) as a quotient of two integers, for
// the q that leaves `digits` digits before the point; divided once, the
// remainder deciding the rounding. For magnitudes below 10^digits the
// divisor is a power of two and the division a shift.
#include "common/exact/DoubleToDecimal.h"

#include "common/exact/BigUnsigned.h"
#include "common/exact/DoubleBits.h"
#include "common/exact/PowersOfTen.h"

namespace {

// numerator / denominator rounded down, and the remainder compared with half
// the denominator (-1, 0, 1); the denominator is 5^fives x 2^twos.
uint64_t DivideRounding(const TBigUnsigned& numerator, int64_t fives, int64_t twos, int& half,
                        bool& fits) {
  TBigUnsigned quotient;
  TBigUnsigned remainder;
  TBigUnsigned denominator;
  if (fives == 0) {
    quotient = BigShiftRight(numerator, twos);
    remainder = BigSubtract(numerator, BigShiftLeft(quotient, twos));
    denominator = BigShiftLeft(BigFromUint64(1), twos);
  } else {
    denominator = BigShiftLeft(BigPowerOfFive(fives), twos);
    BigDivide(numerator, denominator, quotient, remainder);
  }
  half = BigCompare(BigShiftLeft(remainder, 1), denominator);
  fits = BigBitLength(quotient) <= 64;
  return BigLow64(quotient);
}

}  // namespace

void RoundToDecimalDigits(double magnitude, int digits, uint64_t& significand, int& exponent) {
  uint64_t m;
  int e;
  SplitDouble(magnitude, m, e);
  // E from the binary exponent (78913 / 2^18 is just below log10 2); the
  // checks below move it by one where the estimate misses.
  exponent = ((BinaryExponent(magnitude) * 78913) >> 18) + 1;
  for (;;) {
    const int q = digits - exponent;
    TBigUnsigned numerator = BigFromUint64(m);
    if (q > 0) numerator = BigMultiply(numerator, BigPowerOfFive(q));
    if (e + q > 0) numerator = BigShiftLeft(numerator, e + q);
    int half = 0;
    bool fits = true;
    significand = DivideRounding(numerator, q < 0 ? -q : 0, e + q < 0 ? -(e + q) : 0, half, fits);
    if (!fits || significand >= kPowersOfTen[digits]) {
      ++exponent;
      continue;
    }
    if (significand < kPowersOfTen[digits - 1]) {
      --exponent;
      continue;
    }
    if (half > 0 || (half == 0 && significand % 2 == 1)) ++significand;
    if (significand == kPowersOfTen[digits]) {  // 99..9.5 and above carried over
      significand = kPowersOfTen[digits - 1];
      ++exponent;
    }
    return;
  }
}
