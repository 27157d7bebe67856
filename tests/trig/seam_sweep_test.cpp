// Every double within a band of ulps around each place where the fast routes
// change course, against MPFR bit for bit: the table seams (j + 1/2)/1024 of
// sin and cos and of atan2 (quotients there, with every sign and swap of y
// and x), k pi/2 plus or minus a seam, each threshold between routes (2^-27,
// pi/4, 2^19, the exact route's 0.78, atan2's 2^-400 and 2^400, the angle
// sum's 2^-73) and the least and greatest doubles. The band is 2 ulps each
// side, 48 in the full run (JWW_TRIG_FULL=1, ctest -C Full -L full), 1 with
// JWW_QUICK=1.
#include <gtest/gtest.h>

#include <cstdio>
#include <limits>
#include <numbers>

#include "common/MyFunc.h"
#include "common/exact/ExactTrig.h"
#include "common/exact/TrigTables.h"
#include "tests/trig/reference_checks.h"

namespace {

using trig_test::ForEachWithin;
using trig_test::TMismatches;

constexpr double kPi = std::numbers::pi;
constexpr double kLeast = std::numeric_limits<double>::denorm_min();
constexpr double kLeastNormal = std::numeric_limits<double>::min();
constexpr double kGreatest = std::numeric_limits<double>::max();

int Band() {
  if (trig_test::FullRun()) return 48;
  return trig_test::EnvironmentSays("JWW_QUICK") ? 1 : 2;
}

// The seam between table points j and j + 1 of sin and cos, up to the last
// one a reduced angle (at most pi/4 + 2^-32) reaches: j = 0 .. 803.
double SinCosSeam(int j) {
  return (j + 0.5) / kTableSteps;
}
constexpr int kSinCosSeams = 804;
static_assert((kSinCosSeams - 0.5) / kTableSteps <= kPi / 4 &&
              (kSinCosSeams + 0.5) / kTableSteps > kPi / 4 + 0x1p-32);

void ExpectNone(const TMismatches& mismatches, long calls, const char* what) {
  std::printf("[  sweep   ] %s: %ld calls, %d mismatches\n", what, calls, mismatches.count());
  EXPECT_EQ(mismatches.count(), 0) << "of " << calls;
}

TEST(SeamSweep, SinCosAroundEveryTableSeam) {
  TMismatches mismatches;
  long calls = 0;
  for (int j = 0; j < kSinCosSeams; ++j) {
    for (double centre : {SinCosSeam(j), -SinCosSeam(j)}) {
      calls += ForEachWithin(centre, Band(),
                             [&](double x) { trig_test::CheckSinCos(mismatches, x); });
    }
  }
  ExpectNone(mismatches, calls, "sin, cos at the table seams");
}

// k pi/2 + s and k pi/2 - s for a seam s: the reduced angle meets the seam
// from either side. Every seam for the first multiples and the last below
// 2^19; for a spread of k (every 97th in the full run, every 3337th
// otherwise) the seam j = k mod 804, which visits them all.
TEST(SeamSweep, SinCosAroundHalfPiMultiplesPlusOrMinusASeam) {
  constexpr long kLastFastMultiple = 333772;  // 333772 pi/2 < 2^19 < 333773 pi/2
  TMismatches mismatches;
  long calls = 0;
  const auto around = [&](long k, int j) {
    for (double sign : {1.0, -1.0}) {
      const double centre = trig_test::NearestToPiMultiple(k, 2, sign * SinCosSeam(j));
      calls += ForEachWithin(centre, Band(),
                             [&](double x) { trig_test::CheckSinCos(mismatches, x); });
    }
  };
  for (long k : {1L, 2L, 3L, 4L, kLastFastMultiple}) {
    for (int j = 0; j < kSinCosSeams; ++j) around(k, j);
  }
  const long stride = trig_test::FullRun() ? 97 : 3337;
  for (long k = 1; k <= kLastFastMultiple; k += stride) {
    around(k, static_cast<int>(k % kSinCosSeams));
  }
  ExpectNone(mismatches, calls, "sin, cos at k pi/2 +- a seam");
}

// Where SinCos changes route, and the exact route's own threshold, below
// which it takes the argument as its reduced angle.
TEST(SeamSweep, SinCosAroundEveryThreshold) {
  TMismatches mismatches;
  long calls = 0;
  for (double centre : {0x1p-27, kPi / 4, 0x1p19, kLeast, kLeastNormal, kGreatest}) {
    for (double sign : {1.0, -1.0}) {
      calls += ForEachWithin(sign * centre, Band(),
                             [&](double x) { trig_test::CheckSinCos(mismatches, x); });
    }
  }
  calls += ForEachWithin(0.78, Band(), [&](double x) {
    mismatches.Check(ExactSine(x), trig_test::Reference(trig_test::TFunction::kSine, x),
                     trig_test::Call("ExactSine", x));
    mismatches.Check(ExactCosine(x), trig_test::Reference(trig_test::TFunction::kCosine, x),
                     trig_test::Call("ExactCosine", x));
  });
  ExpectNone(mismatches, calls, "sin, cos at the thresholds");
}

// atan2 of (y, x) and of (x, y), with each sign of each.
void CheckEveryOctant(TMismatches& mismatches, double a, double b) {
  for (double signA : {1.0, -1.0}) {
    for (double signB : {1.0, -1.0}) {
      trig_test::CheckArcTangent2(mismatches, signA * a, signB * b);
      trig_test::CheckArcTangent2(mismatches, signB * b, signA * a);
    }
  }
}

// Quotients q around each seam (j + 1/2)/1024 and around 1, as q / 1 and as
// a rounded q m / m, whose quotient carries a low part.
TEST(SeamSweep, ArcTangent2AroundEveryTableSeam) {
  constexpr double kMultiplier = 0x1.6147592bcb816p+0;
  TMismatches mismatches;
  long calls = 0;
  for (int j = 0; j <= kTableSteps; ++j) {
    const double centre = j < kTableSteps ? (j + 0.5) / kTableSteps : 1;
    calls += 16 * ForEachWithin(centre, Band(), [&](double q) {
               CheckEveryOctant(mismatches, q, 1);
               CheckEveryOctant(mismatches, q * kMultiplier, kMultiplier);
             });
  }
  ExpectNone(mismatches, calls, "atan2 at the table seams");
}

// Each magnitude around atan2's range limits and the extremes, against 1,
// against the centre itself (a quotient near 1) and against 2^11 times it
// (a quotient near the first seam).
TEST(SeamSweep, ArcTangent2AroundEveryThreshold) {
  TMismatches mismatches;
  long calls = 0;
  for (double centre : {0x1p-400, 0x1p400, kLeast, kLeastNormal, kGreatest}) {
    calls += 24 * ForEachWithin(centre, Band(), [&](double v) {
               for (double partner : {1.0, centre, centre * 0x1p11}) {
                 CheckEveryOctant(mismatches, v, partner);
               }
             });
  }
  ExpectNone(mismatches, calls, "atan2 at the thresholds");
}

// The angle sum's r below which the sum rounds to 2 pi at once.
TEST(SeamSweep, AngleSumAroundItsThreshold) {
  TMismatches mismatches;
  const long calls = ForEachWithin(-0x1p-73, Band(), [&](double r) {
    mismatches.Check(PlusTwoPi(r), trig_test::ReferencePlusTwoPi(r),
                     trig_test::Call("PlusTwoPi", r));
  });
  ExpectNone(mismatches, calls, "the angle sum at 2^-73");
}

// Arguments that were once one ulp off, when the table index came from a
// rounded 1024 v + 1/2, which carries to 1 at v = 2^-11 - 2^-64: each
// result, as MPFR gives it. Every function is taken as f(y, x).
double Sine(double y, double) {
  double sine = 0;
  double cosine = 0;
  SinCos(y, sine, cosine);
  return sine;
}
double SineReference(double y, double) {
  return trig_test::Reference(trig_test::TFunction::kSine, y);
}
double DirectionAngle(double y, double x) {
  return VectorAngle(x, y);
}

TEST(SeamSweep, ArgumentsOnceOneUlpOff) {
  using TFunction = double (*)(double, double);
  struct TCase {
    TFunction function;
    TFunction reference;
    double y;
    double x;
    double result;
  };
  const TCase cases[] = {
      {Sine, SineReference, 0x1.fffffffffffffp-12, 0, 0x1.fffffeaaaaaaep-12},
      {Sine, SineReference, -0x1.fffffffffffffp-12, 0, -0x1.fffffeaaaaaaep-12},
      {ArcTangent2, trig_test::ReferenceArcTangent2, 0x1.fffffffffffffp-12, 1,
       0x1.fffffd55555bbp-12},
      {ArcTangent2, trig_test::ReferenceArcTangent2, 0x1.6147592bcb815p-11, 0x1.6147592bcb816p+0,
       0x1.fffffd55555bap-12},
      {ArcTangent2, trig_test::ReferenceArcTangent2, 0x1.cf21ba81d2972p-29,
       0x1.cf21ba81d2973p-18, 0x1.fffffd55555bbp-12},
      {DirectionAngle, trig_test::ReferenceArcTangent2, 0x1.fffffffffffffp-12, 1,
       0x1.fffffd55555bbp-12},
  };
  for (const TCase& c : cases) {
    EXPECT_TRUE(trig_test::SameBits(c.reference(c.y, c.x), c.result)) << std::hexfloat << c.y;
    const double actual = c.function(c.y, c.x);
    EXPECT_TRUE(trig_test::SameBits(actual, c.result))
        << std::hexfloat << c.y << ", " << c.x << ": " << actual << ", expected " << c.result;
  }
}

}  // namespace
