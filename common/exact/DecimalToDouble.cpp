// value = n x 10^e = n x 5^e x 2^e: for e >= 0 an integer, rounded once;
// for e < 0 the quotient n / 5^-e with enough bits, its remainder folded into
// a last sticky bit, rounded once.
#include "common/exact/DecimalToDouble.h"

#include <algorithm>
#include <limits>

#include "common/exact/BigUnsigned.h"

namespace {

// Digits kept. A value halfway between two doubles has at most 767
// significant digits, so a longer text that is cut here keeps its rounding
// as long as a dropped non-zero digit is remembered.
constexpr int64_t kKeptDigits = 800;

// Decimal exponents beyond which every value overflows or rounds to zero.
constexpr int64_t kOverflowExponent = 310;
constexpr int64_t kUnderflowExponent = -330;

}  // namespace

double DecimalToDouble(std::string_view digits, int64_t exponent) {
  constexpr uint32_t kChunkBase = 1000000000;  // nine digits at a time
  TBigUnsigned n;
  uint32_t chunk = 0;
  uint32_t chunkScale = 1;
  int64_t kept = 0;
  bool droppedNonZero = false;
  for (char c : digits) {
    if (c == '.') continue;
    const uint32_t digit = static_cast<uint32_t>(c - '0');
    if (kept == 0 && digit == 0) continue;  // a leading zero
    if (kept == kKeptDigits) {
      droppedNonZero = droppedNonZero || digit != 0;
      ++exponent;
      continue;
    }
    chunk = chunk * 10 + digit;
    chunkScale *= 10;
    ++kept;
    if (chunkScale == kChunkBase) {
      BigMultiplySmall(n, kChunkBase, chunk);
      chunk = 0;
      chunkScale = 1;
    }
  }
  BigMultiplySmall(n, chunkScale, chunk);
  if (droppedNonZero) {
    BigMultiplySmall(n, 10, 1);
    --exponent;
  }
  if (BigIsZero(n)) return 0;
  const int64_t decimalExponent = kept + exponent;  // n x 10^exponent < 10^decimalExponent
  if (decimalExponent > kOverflowExponent) return std::numeric_limits<double>::infinity();
  if (decimalExponent < kUnderflowExponent) return 0;
  if (exponent >= 0) return BigToDouble(BigMultiply(n, BigPowerOfFive(exponent)), exponent);

  // At least 55 bits of quotient, then the sticky bit: the bits that decide
  // the rounding of a normal or a subnormal result are all there.
  const TBigUnsigned divisor = BigPowerOfFive(-exponent);
  const int64_t shift = std::max<int64_t>(0, BigBitLength(divisor) - BigBitLength(n) + 56);
  TBigUnsigned quotient;
  TBigUnsigned remainder;
  BigDivide(BigShiftLeft(n, shift), divisor, quotient, remainder);
  BigMultiplySmall(quotient, 2, BigIsZero(remainder) ? 0 : 1);
  return BigToDouble(quotient, exponent - shift - 1);
}
