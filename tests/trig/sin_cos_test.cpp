// sin and cos against MPFR: random arguments over [0, 2 pi], every double
// near each multiple of pi/4 and of pi/2 below 2^19, the hardest cases to
// round, and any finite double. Every result must be the correctly rounded one. JWW_TRIG_FULL=1
// runs the full counts (ctest -C Full -L full), JWW_QUICK=1 a tenth.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <numbers>
#include <random>

#include "tests/trig/hard_cases.h"
#include "tests/trig/reference_checks.h"

namespace {

using trig_test::TFunction;

constexpr double kPi = std::numbers::pi;

// Compares sin x and cos x with the reference.
class TDifferences {
 public:
  void Check(double x) { trig_test::CheckSinCos(mismatches_, x); }
  int count() const { return mismatches_.count(); }

 private:
  trig_test::TMismatches mismatches_;
};

TEST(SinCos, MatchesMpfrOnRandomArgumentsUpToTwoPi) {
  const long count = trig_test::RunSize(10000000, 200000);
  std::mt19937_64 engine(20261207);
  TDifferences differences;
  for (long i = 0; i < count; ++i) {
    // Three in four uniform over [0, 2 pi]; one in four spread over the
    // binades from 2^-30 up.
    const double x = i % 4 != 0 ? trig_test::Uniform(engine, 0, 2 * kPi)
                                : std::ldexp(trig_test::Uniform(engine, 1, 2),
                                             -30 + static_cast<int>(engine() % 33));
    differences.Check(std::fmin(x, 2 * kPi));
  }
  EXPECT_EQ(differences.count(), 0) << "of " << count;
}

// Every double within `ulps` of the double nearest to k pi / divisor.
void CheckAround(TDifferences& differences, long k, unsigned long divisor, int ulps) {
  trig_test::ForEachWithin(trig_test::NearestToPiMultiple(k, divisor), ulps,
                           [&](double x) { differences.Check(x); });
}

// Near the multiples of pi/4 up to 2 pi, 2,000 ulps each side; then near
// the multiples of pi/2 of the whole fast range (below 2^19), where the
// reduced angle is smallest and the reduction's error weighs most: 8 ulps
// each side of every one in the full run, of every 111th otherwise.
TEST(SinCos, MatchesMpfrNearMultiplesOfQuarterPiAndHalfPi) {
  TDifferences differences;
  for (long k = 0; k <= 8; ++k) CheckAround(differences, k, 4, 2000);
  constexpr long kLastFastMultiple = 333772;  // 333772 pi/2 < 2^19 < 333773 pi/2
  const long stride = kLastFastMultiple / trig_test::RunSize(kLastFastMultiple, 3000);
  for (long k = 1; k <= kLastFastMultiple; k += stride) CheckAround(differences, k, 2, 8);
  EXPECT_EQ(differences.count(), 0);
}

TEST(SinCos, MatchesMpfrOnTheHardestCasesToRound) {
  TDifferences differences;
  for (double x : trig_test::kHardSineArguments) {
    EXPECT_GE(trig_test::IdenticalBitsAfterRoundingBit(TFunction::kSine, x), 46) << x;
    differences.Check(x);
  }
  for (double x : trig_test::kHardCosineArguments) {
    EXPECT_GE(trig_test::IdenticalBitsAfterRoundingBit(TFunction::kCosine, x), 46) << x;
    differences.Check(x);
  }
  EXPECT_EQ(differences.count(), 0);
}

// Beyond [0, 2 pi] the same functions serve any finite argument: random bit
// patterns of every exponent (the large ones take the exact route, about a
// millisecond each) and the places where the routes change.
TEST(SinCos, CorrectlyRoundedForAnyFiniteArgument) {
  TDifferences differences;
  const double edges[] = {std::numeric_limits<double>::denorm_min(),
                          std::numeric_limits<double>::min(),
                          0x1p-27,
                          std::nextafter(0x1p-27, 0),
                          0x1p-26,
                          0x1p19,
                          std::nextafter(0x1p19, 0),
                          1e22,
                          0x1.5e8add236a58ep+1022,
                          std::numeric_limits<double>::max()};
  for (double x : edges) {
    differences.Check(x);
    differences.Check(-x);
  }
  const long count = trig_test::RunSize(5000, 200);
  std::mt19937_64 engine(7);
  for (long i = 0; i < count; ++i) differences.Check(trig_test::AnyFinite(engine));
  for (long i = 0; i < count; ++i) differences.Check(trig_test::Uniform(engine, -0x1p20, 0x1p20));
  EXPECT_EQ(differences.count(), 0);
}

TEST(SinCos, SignedZerosAndNonFiniteArguments) {
  double sine = 1;
  double cosine = 0;
  SinCos(-0.0, sine, cosine);
  EXPECT_TRUE(sine == 0 && std::signbit(sine));
  EXPECT_EQ(cosine, 1);
  SinCos(0.0, sine, cosine);
  EXPECT_TRUE(sine == 0 && !std::signbit(sine));
  for (double x : {INFINITY, -INFINITY, NAN}) {
    SinCos(x, sine, cosine);
    EXPECT_TRUE(std::isnan(sine) && std::isnan(cosine)) << x;
  }
}

}  // namespace
