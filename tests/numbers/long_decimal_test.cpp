// TextToReal against glibc's strtod, which rounds correctly and shares no
// code with it: random long texts over the whole range, and the texts that
// decide a rounding, the exact halfway points between two doubles (normal
// and subnormal) and their nearest neighbours above and below, also with
// the decisive digit hundreds of zeros further on.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <random>
#include <string>

#include "common/MyFunc.h"

namespace {

// What TextToReal promises for a well-formed text: the nearest double, or 0
// where that is infinite or zero.
double Expected(const std::string& text) {
  const double value = std::strtod(text.c_str(), nullptr);
  return std::isinf(value) ? 0 : value + 0.0;  // + 0.0: "-0" reads as 0
}

// Counts texts read otherwise, reporting the first few.
class TMisreadings {
 public:
  void Check(const std::string& text) {
    const double expected = Expected(text);
    const double actual = TextToReal(text);
    if (actual == expected && std::signbit(actual) == std::signbit(expected)) return;
    if (++count_ <= 10) {
      ADD_FAILURE() << text.substr(0, 120) << (text.size() > 120 ? "..." : "") << ": got "
                    << std::hexfloat << actual << ", expected " << expected;
    }
  }
  int count() const { return count_; }

 private:
  int count_ = 0;
};

TEST(TextToRealAgainstStrtod, RandomLongTextsOverTheWholeRange) {
  std::mt19937_64 engine(99);
  TMisreadings misreadings;
  for (int i = 0; i < 100000; ++i) {
    std::string text = engine() % 2 == 0 ? "-" : "";
    const int digits = 16 + static_cast<int>(engine() % 30);
    const int point = static_cast<int>(engine() % (digits + 1));
    for (int d = 0; d < digits; ++d) {
      if (d == point) text += '.';
      text += static_cast<char>('0' + engine() % 10);
    }
    text += 'e';
    text += std::to_string(static_cast<int>(engine() % 700) - 370);
    misreadings.Check(text);
  }
  EXPECT_EQ(misreadings.count(), 0);
}

// The exact decimal expansion of the point halfway between a double and the
// next one up (a long double holds it exactly), in scientific form.
std::string HalfwayText(double value) {
  const long double halfway =
      (static_cast<long double>(value) + std::nextafter(value, INFINITY)) / 2;
  char text[1000];
  std::snprintf(text, sizeof text, "%.800Le", halfway);
  std::string digits(text);
  const size_t e = digits.find('e');
  const size_t lastNonZero = digits.find_last_not_of('0', e - 1);
  return digits.substr(0, lastNonZero + 1) + digits.substr(e);
}

// The same text with one more digit 1 `zeros` places after its last digit.
std::string JustAbove(const std::string& text, int zeros) {
  const size_t e = text.find('e');
  return text.substr(0, e) + std::string(zeros, '0') + "1" + text.substr(e);
}

// The text cut after `keep` significant digits (below it, for a positive value).
std::string CutTo(const std::string& text, size_t keep) {
  const size_t e = text.find('e');
  const size_t end = std::min(e, keep + 1);  // +1 for the point after the first digit
  return text.substr(0, end) + text.substr(e);
}

TEST(TextToRealAgainstStrtod, HalfwayPointsAndTheirNeighbours) {
  std::mt19937_64 engine(7);
  TMisreadings misreadings;
  for (int i = 0; i < 5000; ++i) {
    // Normal doubles of every binade, and some subnormals.
    const double value = i % 10 == 0 ? std::ldexp(static_cast<double>(engine() >> 12), -1074)
                                     : std::ldexp(1 + static_cast<double>(engine() >> 12) * 0x1p-52,
                                                  static_cast<int>(engine() % 2000) - 1000);
    const std::string halfway = HalfwayText(value);
    misreadings.Check(halfway);
    misreadings.Check(JustAbove(halfway, 3));
    misreadings.Check(JustAbove(halfway, 900));  // the decisive digit far past the halfway point
    misreadings.Check(CutTo(halfway, 17));
    misreadings.Check(CutTo(halfway, 40));
  }
  EXPECT_EQ(misreadings.count(), 0);
}

}  // namespace
