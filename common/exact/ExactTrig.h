// The exact route of the trigonometry: pi, sine, cosine and arctangent in
// fixed point with integer arithmetic to any precision, and the correctly
// rounded results built on them, which raise the precision until it settles
// the rounding. Slow (microseconds to a millisecond); the fast routes call it
// only when their own rounding test cannot decide, and build their tables
// with it.
#pragma once

#include <cstdint>

#include "common/exact/BigUnsigned.h"

// A real number as (negative ? -1 : 1) * magnitude * 2^-fractionBits, known
// to within `error` units of 2^-fractionBits.
struct TFixedValue {
  bool negative = false;
  TBigUnsigned magnitude;
  int64_t fractionBits = 0;
  uint64_t error = 0;
};

// pi/2 * 2^fractionBits, within 2 units.
TBigUnsigned HalfPiFixed(int64_t fractionBits);

// sin r and cos r for 0 <= r <= 1 given as r * 2^fractionBits (taken as
// exact; an error in r adds at most as much to the result).
TFixedValue SineFixed(const TBigUnsigned& r, int64_t fractionBits);
TFixedValue CosineFixed(const TBigUnsigned& r, int64_t fractionBits);

// atan(numerator / denominator) for 0 < numerator <= denominator.
TFixedValue ArcTangentFixed(const TBigUnsigned& numerator, const TBigUnsigned& denominator,
                            int64_t fractionBits);

// Correctly rounded sin x and cos x for a finite x.
double ExactSine(double x);
double ExactCosine(double x);

// Correctly rounded atan2(y, x) for finite non-zero x and y.
double ExactArcTangent2(double y, double x);
