// The comparisons the trigonometry tests share: a call of the product's
// function against MPFR's correctly rounded value, bit for bit, with the
// call's text built only for a mismatch; and the walk over every double
// within some ulps of a centre.
#pragma once

#include <cmath>

#include "common/exact/Trigonometry.h"
#include "tests/trig/mismatches.h"
#include "tests/trig/mpfr_reference.h"

namespace trig_test {

inline void CheckSinCos(TMismatches& mismatches, double x) {
  double sine = 0;
  double cosine = 0;
  SinCos(x, sine, cosine);
  const double expectedSine = Reference(TFunction::kSine, x);
  const double expectedCosine = Reference(TFunction::kCosine, x);
  if (SameBits(sine, expectedSine) && SameBits(cosine, expectedCosine)) return;
  mismatches.Check(sine, expectedSine, Call("sin", x));
  mismatches.Check(cosine, expectedCosine, Call("cos", x));
}

inline void CheckArcTangent2(TMismatches& mismatches, double y, double x) {
  const double result = ArcTangent2(y, x);
  const double expected = ReferenceArcTangent2(y, x);
  if (!SameBits(result, expected)) mismatches.Check(result, expected, Call("atan2", y, x));
}

// check(v) for the centre and the `ulps` doubles on each side of it; gives
// how many values that was.
template <typename Check>
long ForEachWithin(double centre, int ulps, Check check) {
  check(centre);
  double up = centre;
  double down = centre;
  for (int step = 0; step < ulps; ++step) {
    up = std::nextafter(up, INFINITY);
    down = std::nextafter(down, -INFINITY);
    check(up);
    check(down);
  }
  return 1 + 2L * ulps;
}

}  // namespace trig_test
