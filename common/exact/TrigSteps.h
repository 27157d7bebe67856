// The steps of the fast routes of sin, cos and atan2: the reduction by
// pi/2, sin and cos of a reduced angle, the arctangent of a ratio.
// Trigonometry.cpp puts them together into the correctly rounded functions;
// tests/trig measures each step's error against the bound that
// docs/trigonometry-error-analysis.md derives for it. Inline, so that the
// compiler can fold each step into the one function that calls it.
#pragma once

#include "common/exact/DoubleDouble.h"
#include "common/exact/TrigTables.h"

// k, the multiple of pi/2 nearest to a magnitude 2^-27 <= m < 2^19: within
// pi/4 + 2^-32 of m, and k < 2^19 (the analysis, 4.1, which counts the
// rounding of the product with about 2/pi and of the added 1/2).
inline double HalfPiMultiple(double magnitude, const TTrigConstants& constants) {
  return static_cast<double>(static_cast<int>(magnitude * constants.inverseHalfPi + 0.5));
}

// x - k pi/2 for 0 <= x < 2^19 and k = HalfPiMultiple(x): within
// k 2^-156 + 2^-148.8 + 2^-102.8 |x - k pi/2| (the analysis, 4.1). Cody and
// Waite's reduction: x - k p0 is exact by Sterbenz's lemma, the products
// k p1 and k p2 are exact, k p3 is split exactly, and every difference is
// exact; only the sum of their low parts is rounded.
inline TDoubleDouble ReduceByHalfPi(double x, double k, const TTrigConstants& constants) {
  if (k == 0) return {x, 0};
  const double first = x - k * constants.halfPiParts[0];
  const TDoubleDouble second = TwoSum(first, -k * constants.halfPiParts[1]);
  const TDoubleDouble third = TwoSum(second.hi, -k * constants.halfPiParts[2]);
  const TDoubleDouble last = TwoProduct(k, constants.halfPiParts[3]);
  const TDoubleDouble fourth = TwoSum(third.hi, -last.hi);
  return TwoSum(fourth.hi, ((second.lo + third.lo) + fourth.lo) - last.lo);
}

// sin r and cos r for a normalised r with 0 <= r.hi <= pi/4 + 2^-32: within
// 0.85 2^-72 and 0.5 2^-72 of them, relative to them (the analysis, 4.2).
inline void SinCosOfReduced(TDoubleDouble r, TDoubleDouble& sine, TDoubleDouble& cosine) {
  // t = tHigh + r.lo with |tHigh| <= 2^-11, tHigh = r.hi - j/1024 exactly.
  const TTablePoint point = NearestTablePoint(r.hi);
  const int j = point.index;
  const double tHigh = point.offset;
  const TDoubleDouble square = TwoProduct(tHigh, tHigh);
  const double u = square.hi;
  // sin t = t + (-t^3/6 + t^5/120 - ...), cos t - 1 = -t^2/2 + (t^4/24 - ...):
  // the brackets are below 2^-24 |t| and 2^-48, so doubles hold them.
  const TDoubleDouble sineT =
      FastTwoSum(tHigh, r.lo + tHigh * u * (-1.0 / 6 + u * (1.0 / 120 - u * (1.0 / 5040))));
  const double cosineTMinusOne =
      -0.5 * square.hi +
      (u * u * (1.0 / 24 - u * (1.0 / 720 - u * (1.0 / 40320))) - (0.5 * square.lo + tHigh * r.lo));
  if (j == 0) {
    sine = sineT;
    cosine = FastTwoSum(1, cosineTMinusOne);
    return;
  }
  // sin(a + t) = sin a + sin a (cos t - 1) + cos a sin t and
  // cos(a + t) = cos a + cos a (cos t - 1) - sin a sin t; the products with
  // sin t are exact in their leading part, those with cos t - 1 need only a
  // double.
  const TSinCosEntry& a = SinCosTable()[j];
  const TDoubleDouble cosineASineT = TwoProduct(a.cosine.hi, sineT.hi);
  const TDoubleDouble sineASineT = TwoProduct(a.sine.hi, sineT.hi);
  const TDoubleDouble sineLead = TwoSum(a.sine.hi, cosineASineT.hi);
  const TDoubleDouble cosineLead = TwoSum(a.cosine.hi, -sineASineT.hi);
  sine =
      FastTwoSum(sineLead.hi, sineLead.lo + (a.sine.lo + cosineASineT.lo + a.cosine.hi * sineT.lo +
                                             a.cosine.lo * sineT.hi + a.sine.hi * cosineTMinusOne));
  cosine = FastTwoSum(cosineLead.hi,
                      cosineLead.lo + (a.cosine.lo - sineASineT.lo - a.sine.hi * sineT.lo -
                                       a.sine.lo * sineT.hi + a.cosine.hi * cosineTMinusOne));
}

// atan(smaller / larger) for 0 < smaller <= larger, both within
// [2^-400, 2^400]: within 2^-73 of it, relative to it (the analysis, 5).
inline TDoubleDouble ArcTangentOfRatio(double smaller, double larger) {
  const double zHigh = smaller / larger;
  const TDoubleDouble product = TwoProduct(zHigh, larger);
  // smaller - product.hi is exact (Sterbenz): z to about 106 bits.
  const double zLow = ((smaller - product.hi) - product.lo) / larger;
  // zHigh = c + point.offset exactly, c = j/1024.
  const TTablePoint point = NearestTablePoint(zHigh);
  const int j = point.index;
  const double c = static_cast<double>(j) / kTableSteps;
  TDoubleDouble d = {zHigh, zLow};
  if (j != 0) {
    // The offset is 0 or at least ulp(zHigh) > |zLow|.
    const TDoubleDouble numerator = FastTwoSum(point.offset, zLow);
    const TDoubleDouble zc = TwoProduct(zHigh, c);
    TDoubleDouble denominator = FastTwoSum(1, zc.hi);
    denominator.lo += zc.lo + zLow * c;
    d = DdDivide(numerator, denominator);
  }
  // atan d = d + (-d^3/3 + d^5/5 - d^7/7): the bracket is below 2^-22 |d|.
  const double v = d.hi * d.hi;
  const TDoubleDouble atanD =
      FastTwoSum(d.hi, d.lo + d.hi * v * (-1.0 / 3 + v * (1.0 / 5 - v * (1.0 / 7))));
  if (j == 0) return atanD;
  const TDoubleDouble& atanC = ArcTangentTable()[j];
  const TDoubleDouble lead = TwoSum(atanC.hi, atanD.hi);
  return FastTwoSum(lead.hi, lead.lo + (atanC.lo + atanD.lo));
}
