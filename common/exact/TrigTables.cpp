// The constants come from the exact route's series; the tables from two
// recurrences in fixed point, so that building them takes a fraction of a
// millisecond: sin and cos step by the angle sum from one table point to the
// next, and atan adds, from one point to the next, the angle between them,
// itself the arctangent of a number below 2^-10, whose series needs eight
// terms. docs/trigonometry-error-analysis.md, 3, bounds each entry's error.
// Every value is split into the double nearest to it and the double nearest
// to the rest.
#include "common/exact/TrigTables.h"

#include <array>
#include <cstdint>

#include "common/exact/BigUnsigned.h"
#include "common/exact/DoubleBits.h"
#include "common/exact/ExactTrig.h"

namespace {

// The constants' fixed point.
constexpr int64_t kConstantBits = 128;

// hi + lo for the non-negative value magnitude * 2^-kConstantBits; hi is
// exact in kConstantBits fraction bits for every value above 2^-70.
TDoubleDouble ToDoubleDouble(const TBigUnsigned& magnitude) {
  const double hi = BigToDouble(magnitude, -kConstantBits);
  const TBigUnsigned hiFixed = BigFromDouble(hi, kConstantBits);
  if (BigCompare(magnitude, hiFixed) >= 0) {
    return {hi, BigToDouble(BigSubtract(magnitude, hiFixed), -kConstantBits)};
  }
  return {hi, -BigToDouble(BigSubtract(hiFixed, magnitude), -kConstantBits)};
}

// The bits of `value` * 2^-fractionBits from weight 2^-from down to 2^-to,
// both included, as a double (rounded to nearest when they are more than
// 53).
double BitField(const TBigUnsigned& value, int64_t fractionBits, int64_t from, int64_t to) {
  const TBigUnsigned upToTo = BigShiftRight(value, fractionBits - to);
  const TBigUnsigned aboveFrom =
      BigShiftLeft(BigShiftRight(value, fractionBits - from + 1), to - from + 1);
  return BigToDouble(BigSubtract(upToTo, aboveFrom), -to);
}

TTrigConstants BuildConstants() {
  TTrigConstants c;
  // Weights 2^0 .. 2^-32, 2^-33 .. 2^-65, 2^-66 .. 2^-98, then the rest
  // rounded to a full double: its first bit stands at 2^-104, its last at
  // 2^-156, and pi/2 is taken with enough bits below that.
  constexpr int64_t kPartBits = 192;
  const TBigUnsigned halfPiFine = HalfPiFixed(kPartBits);
  c.halfPiParts[0] = BitField(halfPiFine, kPartBits, 0, 32);
  c.halfPiParts[1] = BitField(halfPiFine, kPartBits, 33, 65);
  c.halfPiParts[2] = BitField(halfPiFine, kPartBits, 66, 98);
  c.halfPiParts[3] = BitField(halfPiFine, kPartBits, 99, kPartBits);
  const TBigUnsigned halfPi = HalfPiFixed(kConstantBits);
  c.halfPi = ToDoubleDouble(halfPi);
  c.inverseHalfPi = 1 / c.halfPi.hi;
  c.pi = {2 * c.halfPi.hi, 2 * c.halfPi.lo};
  return c;
}

// --- The tables' fixed point -------------------------------------------------
//
// A value in [0, 2^32) as an integer of 2^-kFixedBits units in six 32-bit
// limbs, least significant first: the top limb is the whole part. Fixed
// width, so that no step allocates.
constexpr int kFixedLimbs = 6;
constexpr int64_t kFixedBits = 32 * (kFixedLimbs - 1);  // 160
using TFixed = std::array<uint32_t, kFixedLimbs>;

TFixed FixedAdd(const TFixed& a, const TFixed& b) {
  TFixed sum;
  uint64_t carry = 0;
  for (int i = 0; i < kFixedLimbs; ++i) {
    carry += uint64_t{a[i]} + b[i];
    sum[i] = static_cast<uint32_t>(carry);
    carry >>= 32;
  }
  return sum;
}

// a - b for a >= b.
TFixed FixedSubtract(const TFixed& a, const TFixed& b) {
  TFixed difference;
  int64_t borrow = 0;
  for (int i = 0; i < kFixedLimbs; ++i) {
    const int64_t d = int64_t{a[i]} - b[i] - borrow;
    borrow = d < 0 ? 1 : 0;
    difference[i] = static_cast<uint32_t>(d);
  }
  return difference;
}

// a * b rounded down, less than a unit below the product, for a product
// below 2^32 (its top limb of the double width is zero).
TFixed FixedMultiply(const TFixed& a, const TFixed& b) {
  uint32_t product[2 * kFixedLimbs] = {};
  for (int i = 0; i < kFixedLimbs; ++i) {
    uint64_t carry = 0;
    for (int j = 0; j < kFixedLimbs; ++j) {
      carry += uint64_t{a[i]} * b[j] + product[i + j];
      product[i + j] = static_cast<uint32_t>(carry);
      carry >>= 32;
    }
    product[i + kFixedLimbs] = static_cast<uint32_t>(carry);
  }
  TFixed result;
  for (int i = 0; i < kFixedLimbs; ++i) result[i] = product[i + kFixedLimbs - 1];
  return result;
}

// a / divisor rounded down, less than a unit below the quotient.
TFixed FixedDivide(const TFixed& a, uint32_t divisor) {
  TFixed quotient;
  uint64_t remainder = 0;
  for (int i = kFixedLimbs; i-- > 0;) {
    remainder = remainder << 32 | a[i];
    quotient[i] = static_cast<uint32_t>(remainder / divisor);
    remainder %= divisor;
  }
  return quotient;
}

// A value of the exact route, with kFixedBits fraction bits and below 2^32.
TFixed FixedFromBig(const TBigUnsigned& value) {
  TFixed fixed{};
  for (size_t i = 0; i < value.limbs.size() && i < fixed.size(); ++i) fixed[i] = value.limbs[i];
  return fixed;
}

// A double in [2^-107, 1], exactly: its significand of 53 bits shifted to
// its place, whose last bit is then at least 2^-160.
TFixed FixedFromDouble(double x) {
  uint64_t significand;
  int exponent;
  SplitDouble(x, significand, exponent);
  const int64_t shift = exponent + kFixedBits;
  TFixed fixed{};
  const int64_t limb = shift / 32;
  const int bit = static_cast<int>(shift % 32);
  for (int64_t i = limb; i < kFixedLimbs && i <= limb + 2; ++i) {
    const int64_t offset = 32 * (i - limb) - bit;  // of limb i's first bit in the significand
    if (offset < 64) {
      fixed[i] =
          static_cast<uint32_t>(offset >= 0 ? significand >> offset : significand << -offset);
    }
  }
  return fixed;
}

// hi + lo for a value in [2^-107, 1]: hi is then a multiple of 2^-160, so
// the rest is exact.
TDoubleDouble FixedToDoubleDouble(const TFixed& value) {
  const double hi = LimbsToDouble(value, -kFixedBits);
  const TFixed hiFixed = FixedFromDouble(hi);
  for (int i = kFixedLimbs; i-- > 0;) {
    if (value[i] != hiFixed[i]) {
      return value[i] > hiFixed[i]
                 ? TDoubleDouble{hi, LimbsToDouble(FixedSubtract(value, hiFixed), -kFixedBits)}
                 : TDoubleDouble{hi, -LimbsToDouble(FixedSubtract(hiFixed, value), -kFixedBits)};
    }
  }
  return {hi, 0};
}

// sin and cos of (j + 1)/1024 from those of j/1024 and of 1/1024 by the
// angle sum; the first entry is exactly (0, 1).
std::array<TSinCosEntry, kSinCosEntries> BuildSinCosTable() {
  TBigUnsigned step = BigShiftLeft(BigFromUint64(1), kFixedBits);
  BigDivideSmall(step, kTableSteps);  // exact
  const TFixed stepSine = FixedFromBig(SineFixed(step, kFixedBits).magnitude);
  const TFixed stepCosine = FixedFromBig(CosineFixed(step, kFixedBits).magnitude);
  TFixed sine{};
  TFixed cosine{};
  cosine[kFixedLimbs - 1] = 1;
  std::array<TSinCosEntry, kSinCosEntries> table;
  table[0] = {{0, 0}, {1, 0}};
  for (int j = 1; j < kSinCosEntries; ++j) {
    const TFixed nextSine =
        FixedAdd(FixedMultiply(sine, stepCosine), FixedMultiply(cosine, stepSine));
    cosine = FixedSubtract(FixedMultiply(cosine, stepCosine), FixedMultiply(sine, stepSine));
    sine = nextSine;
    table[j] = {FixedToDoubleDouble(sine), FixedToDoubleDouble(cosine)};
  }
  return table;
}

// atan(q) for q = kTableSteps / divisor <= 2^-10 (divisor at least
// kTableSteps^2): q (1 - q^2 (1/3 - q^2 (1/5 - ... q^2/15))); the next
// term, q^17/17, is below a unit.
TFixed SmallArcTangent(uint32_t divisor, const std::array<TFixed, 8>& inverseOdd) {
  TFixed scaled{};
  scaled[kFixedLimbs - 1] = kTableSteps;
  const TFixed q = FixedDivide(scaled, divisor);
  const TFixed square = FixedMultiply(q, q);
  TFixed sum = inverseOdd[7];
  for (int k = 6; k >= 0; --k) sum = FixedSubtract(inverseOdd[k], FixedMultiply(square, sum));
  return FixedMultiply(q, sum);
}

// atan((j + 1)/N) = atan(j/N) + atan(N / (N^2 + j (j + 1))) with N =
// kTableSteps: the difference of two arctangents.
std::array<TDoubleDouble, kArcTangentEntries> BuildArcTangentTable() {
  std::array<TFixed, 8> inverseOdd;  // 1/(2k + 1), rounded down
  TFixed one{};
  one[kFixedLimbs - 1] = 1;
  inverseOdd[0] = one;
  for (int k = 1; k < 8; ++k) inverseOdd[k] = FixedDivide(one, static_cast<uint32_t>(2 * k + 1));
  std::array<TDoubleDouble, kArcTangentEntries> table;
  table[0] = {0, 0};
  TFixed angle{};
  for (uint32_t j = 0; j + 1 < kArcTangentEntries; ++j) {
    angle = FixedAdd(angle, SmallArcTangent(kTableSteps * kTableSteps + j * (j + 1), inverseOdd));
    table[j + 1] = FixedToDoubleDouble(angle);
  }
  return table;
}

}  // namespace

const TTrigConstants& TrigConstants() {
  static const TTrigConstants constants = BuildConstants();
  return constants;
}

const TSinCosEntry* SinCosTable() {
  static const std::array<TSinCosEntry, kSinCosEntries> table = BuildSinCosTable();
  return table.data();
}

const TDoubleDouble* ArcTangentTable() {
  static const std::array<TDoubleDouble, kArcTangentEntries> table = BuildArcTangentTable();
  return table.data();
}
