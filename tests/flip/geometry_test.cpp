// Text width byte rules, direction angles, rotation grouping and distances.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>
#include <string_view>

#include "common/MyFunc.h"

namespace {

using namespace std::string_view_literals;

// Texts are byte strings; letters after a hex escape are written as \x41 (A), \x42 (B).
struct WidthCase {
  const char* name;
  std::string_view text;
  double charWidth;
  double spacing;
  double expected;
};

TEST(TextWidth, FollowsTheByteRules) {
  const WidthCase cases[] = {
      {"empty", ""sv, 3, 0.5, 0},
      {"two letters", "AB"sv, 3, 0.5, 1.5 + 0.25 + 1.5},
      {"two full-width characters", "\x82\xA0\x82\xA2"sv, 3, 0.5, 3 + 0.5 + 3},
      {"full-width then letter", "\x82\xA0\x41"sv, 3, 0.5, 3 + 0.5 + 1.5},
      {"letter then full-width", "A\x82\xA0"sv, 3, 0.5, 1.5 + 0.25 + 3},
      {"a lone TAB", "\t"sv, 3, 0.5, 0},
      {"TAB between letters", "A\tB"sv, 3, 0.5, 1.5 + 0.25 + 0 + 0.25 + 1.5},
      {"embedded NUL", "A\0B"sv, 3, 0.5, 1.5 + 0.25 + 0 + 0.25 + 1.5},
      {"two control bytes", "\x01\x1F"sv, 3, 0.5, 0.25},
      {"blank is printable", " "sv, 3, 0.5, 1.5},
      {"DEL is one byte", "\x7F"sv, 3, 0.5, 1.5},
      {"half-width katakana", "\xB1\xDF"sv, 3, 0.5, 1.5 + 0.25 + 1.5},
      {"0xA0 is one byte", "\xA0\x41"sv, 3, 0.5, 1.5 + 0.25 + 1.5},
      {"0xFE and 0xFF are one byte", "\xFE\xFF"sv, 3, 0.5, 1.5 + 0.25 + 1.5},
      {"0x80 leads", "\x80\x41"sv, 3, 0.5, 3},
      {"0x9F leads", "\x9F\x41\x42"sv, 3, 0.5, 3 + 0.5 + 1.5},
      {"0xE0 leads", "\xE0\x40"sv, 3, 0.5, 3},
      {"0xFD leads", "\xFD\x40"sv, 3, 0.5, 3},
      {"trail byte taken whatever it is", "\x81\x00\x41"sv, 3, 0.5, 3 + 0.5 + 1.5},
      {"trail byte may be a lead byte", "\x81\x81\x41"sv, 3, 0.5, 3 + 0.5 + 1.5},
      {"lone lead byte at the end", "A\x82"sv, 3, 0.5, 1.5 + 0.25 + 3},
      {"only a lead byte", "\x82"sv, 3, 0.5, 3},
      {"no spacing", "ABC"sv, 3, 0, 4.5},
      {"negative spacing narrows", "AB"sv, 4, -1, 2 - 0.5 + 2},
  };
  for (const WidthCase& c : cases) {
    EXPECT_EQ(TextWidth(c.text, c.charWidth, c.spacing), c.expected) << c.name;
  }
}

constexpr double kPi = std::numbers::pi;

struct AngleCase {
  const char* name;
  double dx;
  double dy;
  double expected;
};

// The sums with 2*pi are pinned as the extended format's sum gives them:
// rounded to 64 bits, then to a double (tests/trig checks it against MPFR).
TEST(VectorAngle, PinnedValues) {
  const AngleCase cases[] = {
      {"zero vector", 0, 0, 0},
      {"negative zero vector", -0.0, -0.0, 0},
      {"both components tiny", 1e-11, -5e-11, 0},
      {"both just below the threshold", -9.99e-11, 9.99e-11, 0},
      {"one component at the threshold", 0, -1e-10, 0x1.2d97c7f3321d2p+2},
      {"only one component tiny", 1e-11, 2e-10, std::atan2(2e-10, 1e-11)},
      {"positive x", 1, 0, 0},
      {"positive y", 0, 1, kPi / 2},
      {"negative x", -1, 0, kPi},
      {"negative y", 0, -1, 0x1.2d97c7f3321d2p+2},
      {"seven eighths", 1, -1, 0x1.5fdbbe9bba775p+2},
      {"just below positive x gives 2 pi", 1, -1e-300, 2 * kPi},
      {"just below negative x", -1, -1e-300, 0x1.921fb54442d19p+1},
      {"negative x with negative zero", -1, -0.0, 0x1.921fb54442d19p+1},
      {"third quadrant, extended sum", -2, -1, 0x1.cd78834f06483p+1},
      {"near negative x, extended sum", -7, -0.1, 0x1.93f3ca5f62222p+1},
      {"length does not matter", 1e300, -1e300, 0x1.5fdbbe9bba775p+2},
  };
  for (const AngleCase& c : cases) {
    EXPECT_EQ(VectorAngle(c.dx, c.dy), c.expected) << c.name;
  }
}

TEST(VectorAngle, NeverNegativeNorMoreThanTwoPi) {
  for (int i = -1000; i <= 1000; ++i) {
    const double t = i * 0.00314159;
    for (double scale : {1e-9, 1.0, 1e9}) {
      const double a = VectorAngle(scale * std::cos(t), scale * std::sin(t));
      EXPECT_GE(a, 0) << t;
      EXPECT_LE(a, 2 * kPi) << t;
    }
  }
}

struct RotateCase {
  const char* name;
  double x, y, cx, cy, angle;
  double expectedX, expectedY;
};

// The last bits depend on the grouping ((x - cx) cos + cx) - (y - cy) sin and
// ((x - cx) sin + cy) + (y - cy) cos; other groupings give other bits here.
TEST(RotatePoint, PinnedValues) {
  const RotateCase cases[] = {
      {"angle zero", 12.5, -3.25, 7, 8, 0, 12.5, -3.25},
      {"quarter turn about the origin", 1, 0, 0, 0, kPi / 2, 0x1.1a62633145c07p-54, 1},
      {"half turn", 2.5, 7.25, 100, 50, kPi, 0x1.8bp+7, 0x1.72fffffffffffp+6},
      {"centre added before the second term", 10, 20, 3, 4, 2.0, -0x1.cec6f4debf537p+3,
       0x1.da7636c48176ep+1},
      {"small values", 0.1, 0.3, 1, 2, 1, 0x1.f1b8f7283080bp+0, 0x1.4bf12c921d27ap-2},
      {"far centre", 3, 1, 1e16, 0, 0.5, 0x1.165853c83754ep+50, -0x1.10859913f5eabp+52},
      {"difference taken first", 1, 0, 1e17, 0, 0, 0, 0},
  };
  for (const RotateCase& c : cases) {
    double outX = 0;
    double outY = 0;
    RotatePoint(c.x, c.y, c.cx, c.cy, c.angle, outX, outY);
    EXPECT_EQ(outX, c.expectedX) << c.name;
    EXPECT_EQ(outY, c.expectedY) << c.name;
  }
}

TEST(PointDistance, SquaresAndNeverOverflows) {
  struct Case {
    double x1, y1, x2, y2, expected;
  };
  const Case cases[] = {
      {0, 0, 3, 4, 5},
      {1, 1, 1, 1, 0},
      {-1, -2, 2, 2, 5},
      {10, 0, 0, 0, 10},
      {-1e200, 0, 1e200, 0, 2e200},
      {0, -1e308, 0, 1e308, INFINITY},  // beyond the largest double
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PointDistance(c.x1, c.y1, c.x2, c.y2), c.expected) << c.x1 << " " << c.y2;
  }
  EXPECT_DOUBLE_EQ(PointDistance(0, 0, 3e200, 4e200), 5e200);
}

}  // namespace
