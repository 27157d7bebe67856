// atan2 and the direction angle against MPFR, on argument pairs of the kinds
// the transfer file brings: direction vectors written with 15 significant
// digits, whole numbers, short decimals, vectors along an axis with signed
// zeros, and any finite doubles. JWW_TRIG_FULL=1 runs ten million pairs.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <limits>
#include <numbers>
#include <random>

#include "common/MyFunc.h"
#include "common/exact/Trigonometry.h"
#include "tests/trig/mismatches.h"
#include "tests/trig/mpfr_reference.h"

namespace {

// A decimal text read back as the file's reader would see it.
double Written(double value, int digits) {
  char text[40];
  std::snprintf(text, sizeof text, "%.*g", digits, value);
  return std::strtod(text, nullptr);
}

// The i-th pair, by kind.
template <typename Engine>
void RandomPair(Engine& engine, long i, double& y, double& x) {
  switch (i % 5) {
    case 0: {  // a direction written with 15 digits, at some scale
      const double angle = trig_test::Uniform(engine, 0, 2 * std::numbers::pi);
      const double scale = i % 2 == 0 ? 1 : std::pow(10, trig_test::Uniform(engine, -3, 4));
      x = Written(scale * std::cos(angle), 15);
      y = Written(scale * std::sin(angle), 15);
      break;
    }
    case 1:  // whole numbers
      x = static_cast<double>(static_cast<int64_t>(engine() % 20001) - 10000);
      y = static_cast<double>(static_cast<int64_t>(engine() % 20001) - 10000);
      break;
    case 2: {  // decimals of 1 to 15 digits
      const int digits = 1 + static_cast<int>(engine() % 15);
      x = Written(trig_test::Uniform(engine, -1000, 1000), digits);
      y = Written(trig_test::Uniform(engine, -1000, 1000), digits);
      break;
    }
    case 3: {  // along an axis, with either zero
      const double value = Written(trig_test::Uniform(engine, -100, 100), 15);
      const double zero = engine() % 2 == 0 ? 0.0 : -0.0;
      if (engine() % 2 == 0) {
        x = value;
        y = zero;
      } else {
        x = zero;
        y = value;
      }
      break;
    }
    default:
      x = trig_test::AnyFinite(engine);
      y = trig_test::AnyFinite(engine);
  }
}

// Runs `count` pairs (a, b) of the file's kinds through `actual` and
// `reference` and gives the number of results that differ.
template <typename Actual, typename Reference>
int PairMismatches(long count, uint64_t seed, const char* name, Actual actual,
                   Reference reference) {
  std::mt19937_64 engine(seed);
  trig_test::TMismatches mismatches;
  for (long i = 0; i < count; ++i) {
    double a = 0;
    double b = 0;
    RandomPair(engine, i, a, b);
    const double result = actual(a, b);
    const double expected = reference(a, b);
    if (!trig_test::SameBits(result, expected)) {
      mismatches.Check(result, expected, trig_test::Call(name, a, b));
    }
  }
  return mismatches.count();
}

TEST(ArcTangent2, MatchesMpfrOnPairsOfTheFilesKinds) {
  const long count = trig_test::RunSize(10000000, 200000);
  EXPECT_EQ(PairMismatches(count, 42, "atan2", ArcTangent2, trig_test::ReferenceArcTangent2), 0)
      << "of " << count;
}

// Signed zeros, infinities and NaN as the C standard has them (MPFR follows
// the same rules).
TEST(ArcTangent2, SpecialValues) {
  const double values[] = {0.0, -0.0, 1.0, -1.0, INFINITY, -INFINITY, NAN};
  for (double y : values) {
    for (double x : values) {
      EXPECT_TRUE(trig_test::SameBits(ArcTangent2(y, x), trig_test::ReferenceArcTangent2(y, x)))
          << std::hexfloat << "atan2(" << y << ", " << x << ")";
    }
  }
}

// The direction angle: 0 for a vector with both components below 1e-10,
// else atan2 rounded, raised by 2 pi as the extended format adds when
// negative.
double ExpectedAngle(double dx, double dy) {
  if (std::fabs(dx) < 1e-10 && std::fabs(dy) < 1e-10) return 0;
  const double r = trig_test::ReferenceArcTangent2(dy, dx);
  return r < 0 ? trig_test::ReferencePlusTwoPi(r) : r;
}

TEST(VectorAngle, MatchesMpfr) {
  const long count = trig_test::RunSize(1000000, 100000);
  EXPECT_EQ(PairMismatches(count, 4242, "VectorAngle", VectorAngle, ExpectedAngle), 0)
      << "of " << count;
}

}  // namespace
