// Schoolbook arithmetic on 32-bit limbs with 64-bit intermediates.
#include "common/exact/BigUnsigned.h"

#include <algorithm>
#include <bit>
#include <span>

#include "common/exact/DoubleBits.h"

namespace {

constexpr int kLimbBits = 32;

void Trim(TBigUnsigned& a) {
  while (!a.limbs.empty() && a.limbs.back() == 0) a.limbs.pop_back();
}

// Bit `position` of `limbs` (0 beyond its top).
bool BitAt(std::span<const uint32_t> limbs, int64_t position) {
  const size_t limb = static_cast<size_t>(position / kLimbBits);
  return limb < limbs.size() && ((limbs[limb] >> (position % kLimbBits)) & 1) != 0;
}

// True when any bit of `limbs` below `position` is set.
bool AnyBitBelow(std::span<const uint32_t> limbs, int64_t position) {
  if (position <= 0) return false;
  const size_t whole = static_cast<size_t>(position / kLimbBits);
  for (size_t i = 0; i < std::min(whole, limbs.size()); ++i) {
    if (limbs[i] != 0) return true;
  }
  const int part = static_cast<int>(position % kLimbBits);
  return part != 0 && whole < limbs.size() && (limbs[whole] & ((1u << part) - 1)) != 0;
}

// Number of significant bits; 0 for zero. Zero limbs at the top count for
// nothing.
int64_t BitLength(std::span<const uint32_t> limbs) {
  size_t used = limbs.size();
  while (used > 0 && limbs[used - 1] == 0) --used;
  if (used == 0) return 0;
  return static_cast<int64_t>(used) * kLimbBits - std::countl_zero(limbs[used - 1]);
}

// The 64 bits of `limbs` from bit `position` up (0 beyond its top).
uint64_t BitsFrom(std::span<const uint32_t> limbs, int64_t position) {
  const size_t first = static_cast<size_t>(position / kLimbBits);
  const int shift = static_cast<int>(position % kLimbBits);
  auto limb = [&](size_t i) { return i < limbs.size() ? uint64_t{limbs[i]} : 0; };
  const uint64_t low = limb(first) | limb(first + 1) << kLimbBits;
  return shift == 0 ? low : (low >> shift) | limb(first + 2) << (2 * kLimbBits - shift);
}

// a -= b in place, for a >= b.
void SubtractInPlace(TBigUnsigned& a, const TBigUnsigned& b) {
  int64_t borrow = 0;
  for (size_t i = 0; i < a.limbs.size(); ++i) {
    int64_t d = int64_t{a.limbs[i]} - borrow - (i < b.limbs.size() ? int64_t{b.limbs[i]} : 0);
    borrow = d < 0 ? 1 : 0;
    a.limbs[i] = static_cast<uint32_t>(d + (borrow << kLimbBits));
    if (borrow == 0 && i >= b.limbs.size()) break;
  }
  Trim(a);
}

}  // namespace

TBigUnsigned BigFromUint64(uint64_t value) {
  TBigUnsigned a;
  a.limbs = {static_cast<uint32_t>(value), static_cast<uint32_t>(value >> kLimbBits)};
  Trim(a);
  return a;
}

bool BigIsZero(const TBigUnsigned& a) {
  return a.limbs.empty();
}

int BigCompare(const TBigUnsigned& a, const TBigUnsigned& b) {
  if (a.limbs.size() != b.limbs.size()) return a.limbs.size() < b.limbs.size() ? -1 : 1;
  for (size_t i = a.limbs.size(); i-- > 0;) {
    if (a.limbs[i] != b.limbs[i]) return a.limbs[i] < b.limbs[i] ? -1 : 1;
  }
  return 0;
}

TBigUnsigned BigAdd(const TBigUnsigned& a, const TBigUnsigned& b) {
  const TBigUnsigned& longer = a.limbs.size() >= b.limbs.size() ? a : b;
  const TBigUnsigned& shorter = a.limbs.size() >= b.limbs.size() ? b : a;
  TBigUnsigned sum;
  sum.limbs.resize(longer.limbs.size() + 1);
  uint64_t carry = 0;
  for (size_t i = 0; i < longer.limbs.size(); ++i) {
    carry += uint64_t{longer.limbs[i]} + (i < shorter.limbs.size() ? shorter.limbs[i] : 0);
    sum.limbs[i] = static_cast<uint32_t>(carry);
    carry >>= kLimbBits;
  }
  sum.limbs.back() = static_cast<uint32_t>(carry);
  Trim(sum);
  return sum;
}

TBigUnsigned BigSubtract(const TBigUnsigned& a, const TBigUnsigned& b) {
  if (BigCompare(a, b) <= 0) return {};
  TBigUnsigned difference = a;
  SubtractInPlace(difference, b);
  return difference;
}

TBigUnsigned BigMultiply(const TBigUnsigned& a, const TBigUnsigned& b) {
  if (a.limbs.empty() || b.limbs.empty()) return {};
  TBigUnsigned product;
  product.limbs.assign(a.limbs.size() + b.limbs.size(), 0);
  for (size_t i = 0; i < a.limbs.size(); ++i) {
    uint64_t carry = 0;
    for (size_t j = 0; j < b.limbs.size(); ++j) {
      // At most (2^32 - 1)^2 + 2 (2^32 - 1): fits in 64 bits.
      carry += uint64_t{a.limbs[i]} * b.limbs[j] + product.limbs[i + j];
      product.limbs[i + j] = static_cast<uint32_t>(carry);
      carry >>= kLimbBits;
    }
    product.limbs[i + b.limbs.size()] = static_cast<uint32_t>(carry);
  }
  Trim(product);
  return product;
}

void BigMultiplySmall(TBigUnsigned& a, uint32_t factor) {
  uint64_t carry = 0;
  for (uint32_t& limb : a.limbs) {
    carry += uint64_t{limb} * factor;
    limb = static_cast<uint32_t>(carry);
    carry >>= kLimbBits;
  }
  if (carry != 0) a.limbs.push_back(static_cast<uint32_t>(carry));
  Trim(a);
}

uint32_t BigDivideSmall(TBigUnsigned& a, uint32_t divisor) {
  uint64_t remainder = 0;
  for (size_t i = a.limbs.size(); i-- > 0;) {
    remainder = (remainder << kLimbBits) | a.limbs[i];
    a.limbs[i] = static_cast<uint32_t>(remainder / divisor);
    remainder %= divisor;
  }
  Trim(a);
  return static_cast<uint32_t>(remainder);
}

TBigUnsigned BigShiftLeft(const TBigUnsigned& a, int64_t bits) {
  if (bits < 0) return BigShiftRight(a, -bits);
  if (a.limbs.empty()) return {};
  const size_t whole = static_cast<size_t>(bits / kLimbBits);
  const int part = static_cast<int>(bits % kLimbBits);
  TBigUnsigned shifted;
  shifted.limbs.assign(whole + a.limbs.size() + 1, 0);
  for (size_t i = 0; i < a.limbs.size(); ++i) {
    const uint64_t moved = uint64_t{a.limbs[i]} << part;
    shifted.limbs[whole + i] |= static_cast<uint32_t>(moved);
    shifted.limbs[whole + i + 1] = static_cast<uint32_t>(moved >> kLimbBits);
  }
  Trim(shifted);
  return shifted;
}

TBigUnsigned BigShiftRight(const TBigUnsigned& a, int64_t bits) {
  if (bits < 0) return BigShiftLeft(a, -bits);
  const size_t whole = static_cast<size_t>(bits / kLimbBits);
  if (whole >= a.limbs.size()) return {};
  const int part = static_cast<int>(bits % kLimbBits);
  TBigUnsigned shifted;
  shifted.limbs.resize(a.limbs.size() - whole);
  for (size_t i = 0; i < shifted.limbs.size(); ++i) {
    const uint64_t pair =
        a.limbs[whole + i] | (whole + i + 1 < a.limbs.size() ? uint64_t{a.limbs[whole + i + 1]} : 0)
                                 << kLimbBits;
    shifted.limbs[i] = static_cast<uint32_t>(pair >> part);
  }
  Trim(shifted);
  return shifted;
}

// Knuth's algorithm D: one quotient limb per step, estimated from the top
// two limbs of the remainder and the top limb of the divisor (both shifted
// so that the divisor's top bit is set), corrected at most twice.
void BigDivide(const TBigUnsigned& a, const TBigUnsigned& b, TBigUnsigned& quotient,
               TBigUnsigned& remainder) {
  quotient = {};
  if (BigCompare(a, b) < 0) {
    remainder = a;
    return;
  }
  if (b.limbs.size() == 1) {
    quotient = a;
    remainder = BigFromUint64(BigDivideSmall(quotient, b.limbs[0]));
    return;
  }
  const int shift = std::countl_zero(b.limbs.back());
  const std::vector<uint32_t> v = BigShiftLeft(b, shift).limbs;
  std::vector<uint32_t> u = BigShiftLeft(a, shift).limbs;
  u.resize(a.limbs.size() + 1, 0);
  const size_t n = v.size();
  const size_t m = u.size() - n;
  constexpr uint64_t kBase = uint64_t{1} << kLimbBits;
  quotient.limbs.assign(m, 0);
  for (size_t j = m; j-- > 0;) {
    const uint64_t top = (uint64_t{u[j + n]} << kLimbBits) | u[j + n - 1];
    uint64_t estimate = top / v[n - 1];
    uint64_t rest = top % v[n - 1];
    while (estimate >= kBase || estimate * v[n - 2] > ((rest << kLimbBits) | u[j + n - 2])) {
      --estimate;
      rest += v[n - 1];
      if (rest >= kBase) break;
    }
    // u[j..j+n] -= estimate * v; add v back once if that went below zero.
    int64_t borrow = 0;
    uint64_t carry = 0;
    for (size_t i = 0; i < n; ++i) {
      const uint64_t product = estimate * v[i] + carry;
      carry = product >> kLimbBits;
      const int64_t difference =
          int64_t{u[i + j]} - borrow - static_cast<int64_t>(product & 0xFFFFFFFF);
      u[i + j] = static_cast<uint32_t>(difference);
      borrow = difference < 0 ? 1 : 0;
    }
    const int64_t last = int64_t{u[j + n]} - borrow - static_cast<int64_t>(carry);
    u[j + n] = static_cast<uint32_t>(last);
    if (last < 0) {
      --estimate;
      uint64_t sum = 0;
      for (size_t i = 0; i < n; ++i) {
        sum += uint64_t{u[i + j]} + v[i];
        u[i + j] = static_cast<uint32_t>(sum);
        sum >>= kLimbBits;
      }
      u[j + n] = static_cast<uint32_t>(u[j + n] + sum);
    }
    quotient.limbs[j] = static_cast<uint32_t>(estimate);
  }
  Trim(quotient);
  u.resize(n);
  remainder.limbs = std::move(u);
  Trim(remainder);
  remainder = BigShiftRight(remainder, shift);
}

uint64_t BigLow64(const TBigUnsigned& a) {
  uint64_t low = 0;
  for (size_t i = std::min<size_t>(a.limbs.size(), 2); i-- > 0;) {
    low = (low << kLimbBits) | a.limbs[i];
  }
  return low;
}

double LimbsToDouble(std::span<const uint32_t> limbs, int64_t scale) {
  const int64_t length = BitLength(limbs);
  if (length == 0) return 0;
  constexpr int64_t kSignificandBits = kFractionBits + 1;
  // The lowest bit kept: 53 significant bits, or fewer where the result is
  // subnormal and its last place is 2^-1074.
  const int64_t kept = std::max(length - kSignificandBits, kLeastBinaryExponent - scale);
  const int64_t topExponent = length - 1 + scale;
  if (topExponent > kExponentBias) return DoubleFromBits(uint64_t{0x7FF} << kFractionBits);
  if (kept >= length + 1) return 0;  // below half the least subnormal
  // At most 53 bits from `kept` up: the rest of the 64 are above the top.
  uint64_t significand = kept < 0 ? BitsFrom(limbs, 0) << -kept : BitsFrom(limbs, kept);
  if (kept > 0 && BitAt(limbs, kept - 1) &&
      (AnyBitBelow(limbs, kept - 1) || (significand & 1) != 0)) {
    ++significand;
  }
  int64_t exponent = kept + scale;  // of the significand's last bit
  if (significand == uint64_t{1} << kSignificandBits) {
    significand >>= 1;
    ++exponent;
  }
  // Fewer than 53 bits only for a subnormal, whose last place is 2^-1074.
  if (significand < (uint64_t{1} << kFractionBits)) return DoubleFromBits(significand);
  const int64_t biased = exponent + static_cast<int64_t>(kFractionBits) + kExponentBias;
  if (biased >= 0x7FF) return DoubleFromBits(uint64_t{0x7FF} << kFractionBits);
  return DoubleFromBits((static_cast<uint64_t>(biased) << kFractionBits) |
                        (significand & kFractionMask));
}

double BigToDouble(const TBigUnsigned& a, int64_t scale) {
  return LimbsToDouble(a.limbs, scale);
}

TBigUnsigned BigFromDouble(double x, int64_t scale) {
  uint64_t significand;
  int exponent;
  SplitDouble(x, significand, exponent);
  return BigShiftLeft(BigFromUint64(significand), exponent + scale);
}
