// The angle sum r + 2 pi against MPFR: 2 pi and the sum at 64 bits, then a
// double. Every r within 4,000 ulps of 0- and of -pi, r uniform over
// [-pi, 0), r of every binade down to the subnormals, and r whose sum rounds
// to 64 bits exactly halfway between two doubles, where rounding twice parts
// from rounding once.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <initializer_list>
#include <limits>
#include <numbers>
#include <random>

#include "common/exact/Trigonometry.h"
#include "tests/trig/mismatches.h"
#include "tests/trig/mpfr_reference.h"

namespace {

constexpr double kPi = std::numbers::pi;

TEST(PlusTwoPi, MatchesTheSumRoundedTo64BitsThenToADouble) {
  // The constant the sum is defined with: 2 pi to 64 bits.
  constexpr uint64_t kTwoPi64 = 0xC90FDAA22168C235;  // * 2^-61
  trig_test::TReal twoPi(64);
  mpfr_const_pi(twoPi.get(), MPFR_RNDN);
  mpfr_mul_2ui(twoPi.get(), twoPi.get(), 1, MPFR_RNDN);
  EXPECT_EQ(mpfr_cmp_ui_2exp(twoPi.get(), kTwoPi64, -61), 0);

  trig_test::TMismatches mismatches;
  long apartFromOneRounding = 0;
  const auto check = [&](double r) {
    if (!(r < 0 && r >= -kPi)) return;
    const double expected = trig_test::ReferencePlusTwoPi(r);
    mismatches.Check(PlusTwoPi(r), expected, trig_test::Call("PlusTwoPi", r));
    if (!trig_test::SameBits(expected, trig_test::ReferencePlusTwoPi(r, 200))) {
      ++apartFromOneRounding;
    }
  };
  for (double r : {-0x1.9c670c218d4acp-19, -0x1.38c6afba120bap-42, -0x1.a9223ac69e23ep-26}) {
    check(r);  // found apart in directions of texts
  }
  double nearZero = -std::numeric_limits<double>::denorm_min();
  double nearPi = -kPi;
  for (int step = 0; step < 4000; ++step) {
    check(nearZero);
    check(nearPi);
    nearZero = std::nextafter(nearZero, -INFINITY);
    nearPi = std::nextafter(nearPi, 0.0);
  }
  const long count = trig_test::RunSize(10000000, 1000000);
  std::mt19937_64 engine(19);
  for (long i = 0; i < count; ++i) {
    check(-trig_test::Uniform(engine, 0, kPi));
    check(trig_test::AnyFinite(engine));  // those in [-pi, 0): every binade
    // 2 pi - m 2^-61 has its 11 bits below a double's last at 0x400 when
    // m = 0x635 modulo 2^11. r within 3 ulps of -m 2^-61 (|r| < 2^-11, so
    // each ulp is at most 2^-64) sums to that midpoint once rounded to 64
    // bits; r near -(m -+ 1/2) 2^-61 sums to a 64-bit midpoint next to it,
    // which the bits beyond and ties to even decide.
    const uint64_t halfUnits = ((engine() >> 25) << 12) + 2 * 0x635 - 1 + engine() % 3;
    double r = -static_cast<double>(halfUnits) * 0x1p-62;
    const int offset = static_cast<int>(engine() % 7) - 3;
    for (int step = 0; step < std::abs(offset); ++step) {
      r = std::nextafter(r, offset > 0 ? 0.0 : -INFINITY);
    }
    check(r);
  }
  EXPECT_EQ(mismatches.count(), 0) << "of " << 3 * count + 8000;
  // The arguments reach the sums where the two roundings matter.
  EXPECT_GT(apartFromOneRounding, count / 10) << "of " << 3 * count + 8000;
}

}  // namespace
