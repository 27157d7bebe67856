// The fields of an IEEE 754 double, read and built bit by bit: exact, and the
// same on every platform, where the library's frexp and ldexp would be calls
// into the C runtime.
#pragma once

#include <bit>
#include <cstdint>

inline uint64_t BitsOf(double x) {
  return std::bit_cast<uint64_t>(x);
}

inline double DoubleFromBits(uint64_t bits) {
  return std::bit_cast<double>(bits);
}

constexpr uint64_t kFractionBits = 52;
constexpr uint64_t kFractionMask = (uint64_t{1} << kFractionBits) - 1;
constexpr int kExponentBias = 1023;
constexpr int kLeastBinaryExponent = -1074;  // of the least subnormal, 2^-1074

// |x| = significand * 2^exponent exactly, the significand below 2^53, for a
// finite x.
inline void SplitDouble(double x, uint64_t& significand, int& exponent) {
  const uint64_t bits = BitsOf(x);
  const int biased = static_cast<int>((bits >> kFractionBits) & 0x7FF);
  significand = bits & kFractionMask;
  if (biased == 0) {
    exponent = kLeastBinaryExponent;
  } else {
    significand |= uint64_t{1} << kFractionBits;
    exponent = biased - kExponentBias - static_cast<int>(kFractionBits);
  }
}

// floor(log2 |x|) for a finite non-zero x, subnormals included.
inline int BinaryExponent(double x) {
  uint64_t significand;
  int exponent;
  SplitDouble(x, significand, exponent);
  return exponent + 63 - std::countl_zero(significand);
}
