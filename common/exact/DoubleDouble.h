// Double-double arithmetic: a value held as the unevaluated sum hi + lo of
// two doubles, about 106 significant bits. Built from IEEE 754 additions and
// multiplications rounded to nearest and nothing else (no fused multiply-add:
// the project compiles with -ffp-contract=off), so that every platform
// computes the same bits.
#pragma once

struct TDoubleDouble {
  double hi;
  double lo;
};

// hi + lo = a + b exactly, hi = a + b rounded (Knuth's two-sum).
inline TDoubleDouble TwoSum(double a, double b) {
  const double sum = a + b;
  const double bPart = sum - a;
  return {sum, (a - (sum - bPart)) + (b - bPart)};
}

// The same for |a| >= |b| or a = 0, in three operations (Dekker).
inline TDoubleDouble FastTwoSum(double a, double b) {
  const double sum = a + b;
  return {sum, b - (sum - a)};
}

// hi + lo = a * b exactly, hi = a * b rounded (Dekker's product with
// Veltkamp's split), for |a|, |b| below 2^995 and a product that does not
// underflow.
inline TDoubleDouble TwoProduct(double a, double b) {
  constexpr double kSplitter = 134217729.0;  // 2^27 + 1
  const double aScaled = kSplitter * a;
  const double aHigh = aScaled - (aScaled - a);
  const double aLow = a - aHigh;
  const double bScaled = kSplitter * b;
  const double bHigh = bScaled - (bScaled - b);
  const double bLow = b - bHigh;
  const double product = a * b;
  return {product, ((aHigh * bHigh - product) + aHigh * bLow + aLow * bHigh) + aLow * bLow};
}

inline TDoubleDouble DdNegate(TDoubleDouble a) {
  return {-a.hi, -a.lo};
}

// Sum with a relative error below 3u^2 + 13u^3 < 2^-104 (u = 2^-53),
// cancellation included: Joldes, Muller and Popescu's accurate double-word
// sum (ACM TOMS 44(2), 2017, Algorithm 6).
inline TDoubleDouble DdAdd(TDoubleDouble a, TDoubleDouble b) {
  const TDoubleDouble high = TwoSum(a.hi, b.hi);
  const TDoubleDouble low = TwoSum(a.lo, b.lo);
  const TDoubleDouble mid = TwoSum(high.hi, high.lo + low.hi);
  return FastTwoSum(mid.hi, mid.lo + low.lo);
}

// Quotient with a relative error below 12u^2 < 2^-102, for b.hi != 0
// (docs/trigonometry-error-analysis.md, 2).
inline TDoubleDouble DdDivide(TDoubleDouble a, TDoubleDouble b) {
  const double first = a.hi / b.hi;
  const TDoubleDouble product = TwoProduct(first, b.hi);
  const double remainder = (((a.hi - product.hi) - product.lo) + a.lo) - first * b.lo;
  return FastTwoSum(first, remainder / b.hi);
}

// Ziv's rounding test. y approximates a real number to within `bound`; when
// every value within `bound` of y.hi + y.lo rounds to the same double, that
// double is the correctly rounded result: it is stored and true is returned.
// Takes a normalised y (|lo| at most half an ulp of hi) and a bound of at
// least 2^-104 |hi|, so that the two sums below, whose rounding moves them by
// less than `bound`, still enclose that interval
// (docs/trigonometry-error-analysis.md, 1).
inline bool RoundsUnambiguously(TDoubleDouble y, double bound, double& result) {
  const double down = y.hi + (y.lo - 2 * bound);
  const double up = y.hi + (y.lo + 2 * bound);
  if (down != up) return false;
  result = down;
  return true;
}
