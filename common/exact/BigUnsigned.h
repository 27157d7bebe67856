// Unsigned integers of any size, for the exact routes of the trigonometry:
// the few operations they need, in plain standard C++ on 32-bit limbs, so
// that every platform computes the same bits.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

// Least significant limb first; no zero limb at the top, so zero has none.
struct TBigUnsigned {
  std::vector<uint32_t> limbs;
};

TBigUnsigned BigFromUint64(uint64_t value);
bool BigIsZero(const TBigUnsigned& a);

// -1, 0 or 1 as a is below, equal to or above b.
int BigCompare(const TBigUnsigned& a, const TBigUnsigned& b);

TBigUnsigned BigAdd(const TBigUnsigned& a, const TBigUnsigned& b);

// a - b; takes a >= b (a smaller a gives zero).
TBigUnsigned BigSubtract(const TBigUnsigned& a, const TBigUnsigned& b);

TBigUnsigned BigMultiply(const TBigUnsigned& a, const TBigUnsigned& b);

// a = a * factor.
void BigMultiplySmall(TBigUnsigned& a, uint32_t factor);

// a = a / divisor, rounded down; gives the remainder. Takes divisor > 0.
uint32_t BigDivideSmall(TBigUnsigned& a, uint32_t divisor);

// a * 2^bits, and a / 2^bits rounded down.
TBigUnsigned BigShiftLeft(const TBigUnsigned& a, int64_t bits);
TBigUnsigned BigShiftRight(const TBigUnsigned& a, int64_t bits);

// quotient = a / b rounded down and remainder = a - quotient * b; takes
// b > 0.
void BigDivide(const TBigUnsigned& a, const TBigUnsigned& b, TBigUnsigned& quotient,
               TBigUnsigned& remainder);

// The value of the bits below 64 as an integer (the rest dropped).
uint64_t BigLow64(const TBigUnsigned& a);

// a * 2^scale rounded to the nearest double, ties to even, subnormals
// included; infinity when it is beyond the largest double.
double BigToDouble(const TBigUnsigned& a, int64_t scale);

// The same for an integer given as its limbs, least significant first, with
// any number of zero limbs at the top: for fixed-width integers.
double LimbsToDouble(std::span<const uint32_t> limbs, int64_t scale);

// |x| * 2^scale rounded down, for a finite x: exact whenever 2^-scale divides
// x, as it does for every double once scale >= 1074.
TBigUnsigned BigFromDouble(double x, int64_t scale);
