// Every value is computed in fixed point with 128 fraction bits and split
// into the double nearest to it and the double nearest to the rest.
#include "common/exact/TrigTables.h"

#include <array>

#include "common/exact/BigUnsigned.h"
#include "common/exact/ExactTrig.h"

namespace {

constexpr int64_t kTableBits = 128;

// hi + lo for the non-negative value magnitude * 2^-kTableBits; hi is exact
// in kTableBits fraction bits for every value above 2^-70.
TDoubleDouble ToDoubleDouble(const TBigUnsigned& magnitude) {
  const double hi = BigToDouble(magnitude, -kTableBits);
  const TBigUnsigned hiFixed = BigFromDouble(hi, kTableBits);
  if (BigCompare(magnitude, hiFixed) >= 0) {
    return {hi, BigToDouble(BigSubtract(magnitude, hiFixed), -kTableBits)};
  }
  return {hi, -BigToDouble(BigSubtract(hiFixed, magnitude), -kTableBits)};
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

// j / kTableSteps in fixed point.
TBigUnsigned TablePoint(int j) {
  TBigUnsigned point = BigShiftLeft(BigFromUint64(static_cast<uint64_t>(j)), kTableBits);
  BigDivideSmall(point, kTableSteps);  // exact
  return point;
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
  const TBigUnsigned halfPi = HalfPiFixed(kTableBits);
  c.halfPi = ToDoubleDouble(halfPi);
  c.inverseHalfPi = 1 / c.halfPi.hi;
  c.pi = {2 * c.halfPi.hi, 2 * c.halfPi.lo};
  return c;
}

std::array<TSinCosEntry, kSinCosEntries> BuildSinCosTable() {
  std::array<TSinCosEntry, kSinCosEntries> table;
  for (int j = 0; j < kSinCosEntries; ++j) {
    const TBigUnsigned point = TablePoint(j);
    table[j] = {ToDoubleDouble(SineFixed(point, kTableBits).magnitude),
                ToDoubleDouble(CosineFixed(point, kTableBits).magnitude)};
  }
  return table;
}

// atan(j/N) directly for j <= N/2, and as pi/4 - atan((N-j)/(N+j)) above,
// where the series converges three times as fast.
std::array<TDoubleDouble, kArcTangentEntries> BuildArcTangentTable() {
  std::array<TDoubleDouble, kArcTangentEntries> table;
  const TBigUnsigned quarterPi = BigShiftRight(HalfPiFixed(kTableBits + 1), 2);
  table[0] = {0, 0};
  for (int j = 1; j < kArcTangentEntries; ++j) {
    if (2 * j <= kTableSteps) {
      table[j] = ToDoubleDouble(
          ArcTangentFixed(BigFromUint64(j), BigFromUint64(kTableSteps), kTableBits).magnitude);
    } else {
      const TFixedValue rest = ArcTangentFixed(BigFromUint64(kTableSteps - j),
                                               BigFromUint64(kTableSteps + j), kTableBits);
      table[j] = ToDoubleDouble(BigSubtract(quarterPi, rest.magnitude));
    }
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
