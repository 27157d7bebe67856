// The big integers of the exact routes: division as a property over random
// operands of every shape, and rounding to a double at its edges.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <random>

#include "common/exact/BigUnsigned.h"

namespace {

TBigUnsigned RandomBig(std::mt19937_64& engine, int limbs) {
  TBigUnsigned a;
  for (int i = 0; i < limbs; ++i) {
    // Runs of all-ones and all-zeros limbs make the quotient estimates go wrong.
    const uint64_t pick = engine() % 4;
    a.limbs.push_back(pick == 0 ? 0 : pick == 1 ? 0xFFFFFFFF : static_cast<uint32_t>(engine()));
  }
  while (!a.limbs.empty() && a.limbs.back() == 0) a.limbs.pop_back();
  return a;
}

TEST(BigUnsigned, DivisionGivesQuotientAndRemainder) {
  std::mt19937_64 engine(5);
  for (int i = 0; i < 20000; ++i) {
    const TBigUnsigned a = RandomBig(engine, static_cast<int>(engine() % 12));
    TBigUnsigned b = RandomBig(engine, 1 + static_cast<int>(engine() % 8));
    if (BigIsZero(b)) b = BigFromUint64(1 + engine() % 1000);
    TBigUnsigned quotient;
    TBigUnsigned remainder;
    BigDivide(a, b, quotient, remainder);
    ASSERT_LT(BigCompare(remainder, b), 0) << i;
    ASSERT_EQ(BigCompare(BigAdd(BigMultiply(quotient, b), remainder), a), 0) << i;
  }
}

TEST(BigUnsigned, RoundsToTheNearestDoubleTiesToEven) {
  constexpr double kInfinity = std::numeric_limits<double>::infinity();
  const struct {
    uint64_t value;
    int64_t scale;
    double expected;
  } cases[] = {
      {0, 0, 0},
      {1, 0, 1},
      {(uint64_t{1} << 53) + 1, 0, 0x1p53},      // halfway: to even (down)
      {(uint64_t{1} << 53) + 3, 0, 0x1p53 + 4},  // halfway: to even (up)
      {(uint64_t{1} << 54) + 3, 0, 0x1p54 + 4},  // above halfway
      {(uint64_t{1} << 53) - 1, 0, 0x1p53 - 1},  // exact
      {UINT64_MAX, 0, 0x1p64},                   // carries into the next binade
      {1, -1074, std::numeric_limits<double>::denorm_min()},
      {3, -1076, std::numeric_limits<double>::denorm_min()},  // 0.75 of it: up
      {1, -1075, 0},                                          // exactly half of it: to even
      {3, -1075, 2 * std::numeric_limits<double>::denorm_min()},
      {(uint64_t{1} << 52) - 1, -1074, 0x0.fffffffffffffp-1022},  // largest subnormal
      {1, 1023, 0x1p1023},
      {1, 1024, kInfinity},
      {(uint64_t{1} << 54) - 1, 970, kInfinity},  // rounds up past the largest double
  };
  for (const auto& c : cases) {
    EXPECT_EQ(BigToDouble(BigFromUint64(c.value), c.scale), c.expected)
        << c.value << " x 2^" << c.scale;
  }
}

}  // namespace
