// TextToInt and TextToReal: the whole text is one number or the result is 0.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstdint>
#include <limits>
#include <string>

#include "common/MyFunc.h"

namespace {

TEST(TextToInt, ReadsDecimalAndHexOrGivesZero) {
  const struct {
    const char* text;
    int32_t value;
  } cases[] = {
      {"", 0},
      {" ", 0},
      {"0", 0},
      {"12", 12},
      {"  12", 12},
      {"12 ", 0},
      {"\t1", 0},
      {"+5", 5},
      {"-5", -5},
      {"--5", 0},
      {"+-5", 0},
      {"-", 0},
      {"12a", 0},
      {"1.5", 0},
      {"1e3", 0},
      {"007", 7},
      {"$1A", 26},
      {"$1a", 26},
      {"x1F", 31},
      {"X1f", 31},
      {"0x1f", 31},
      {"0X1F", 31},
      {"-$10", -16},
      {"+0x10", 16},
      {"$", 0},
      {"0x", 0},
      {"x", 0},
      {"$G", 0},
      {"$ 1", 0},
      {"- 5", 0},
      {"0x-1", 0},
      {"$$1", 0},
      {"2147483647", std::numeric_limits<int32_t>::max()},
      {"2147483648", 0},
      {"-2147483648", std::numeric_limits<int32_t>::min()},
      {"-2147483649", 0},
      {"00000000000000000002147483647", std::numeric_limits<int32_t>::max()},
      {"99999999999999999999999", 0},
      {"$7FFFFFFF", std::numeric_limits<int32_t>::max()},
      {"$80000000", 0},
      {"-$80000000", std::numeric_limits<int32_t>::min()},
      {"$FFFFFFFF", 0},
  };
  for (const auto& c : cases) EXPECT_EQ(TextToInt(c.text), c.value) << '"' << c.text << '"';
}

TEST(TextToReal, ReadsTheWholeTextOrGivesZero) {
  const std::string millions(10'000'005, '0');  // digits that move the value far
  const struct {
    std::string text;
    double value;
  } cases[] = {
      {"", 0},
      {" ", 0},
      {"5", 5},
      {"5.", 5},
      {".5", 0.5},
      {"+1.5", 1.5},
      {"-1.5", -1.5},
      {"  2.25", 2.25},
      {"1e3", 1000},
      {"1E-3", 0.001},
      {"1e+3", 1000},
      {"-.5e1", -5},
      {"0.1", 0.1},
      {"100.000", 100},
      {"-", 0},
      {"+", 0},
      {".", 0},
      {"-.", 0},
      {"e5", 0},
      {"1e", 0},
      {"1e+", 0},
      {"1.2.3", 0},
      {"1,5", 0},
      {"1.5 ", 0},
      {"\t1", 0},
      {"inf", 0},
      {"nan", 0},
      {"0x10", 0},
      {"$10", 0},
      {"1d3", 0},
      {"+-1", 0},
      {"--1", 0},
      {"123456789012345678901234567890", 1.2345678901234568e29},
      {"9007199254740993", 9007199254740992.0},  // halfway: to even
      {"0.30000000000000004", 0.30000000000000004},
      {"1.7976931348623157e308", std::numeric_limits<double>::max()},
      {"4.9e-324", std::numeric_limits<double>::denorm_min()},
      {"0.000000000000000000000000000001", 1e-30},
      // Forms the standard library reads and the grammar refuses, and its
      // range edges: a value beyond the largest double or one that rounds to
      // zero reads 0; one that only reaches the subnormals keeps the nearest.
      {"infinity", 0},
      {"-inf", 0},
      {"+INF", 0},
      {"NaN", 0},
      {"nan(1)", 0},
      {"-0X1P3", 0},
      {"1e-320", 0x0.00000000007e8p-1022},
      {"2.2250738585072011e-308", 0x0.fffffffffffffp-1022},  // the largest subnormal
      {"2.4703282292062328e-324", std::numeric_limits<double>::denorm_min()},  // above half the least
      {"2.4703282292062327e-324", 0},                                          // below it
      {"-2.4703282292062328e-324", -std::numeric_limits<double>::denorm_min()},
      {"1.7976931348623158e308", std::numeric_limits<double>::max()},  // below the overflow
      {"1e999", 0},  // too large for a double
      {"-1e999", 0},
      {"1.7976931348623159e308", 0},
      {"1e-400", 0},  // rounds to zero
      {"1e99999999999999999999", 0},
      {"1e-99999999999999999999", 0},
      // Exponents far beyond a double's, taken back by as many digits.
      {"1" + millions + "e-10000002", 1000},
      {"-1" + millions + "e-10000005", -1},
      {"0." + millions + "25e10000006", 2.5},
      {"1" + millions + "e-10000400", 0},  // 1e-395: rounds to zero
      {"1" + millions + "e-9999700", 1e305},
      {"1" + millions + "e-9999600", 0},  // 1e405: too large
      // From 1 MiB on a text is read through its first 800 significant
      // digits and a 1 for the nonzero digits after them: the halfway point
      // stays halfway (to even), and a far nonzero digit still rounds up.
      {"9007199254740993" + millions + "e-10000005", 9007199254740992.0},
      {"9007199254740993" + millions + "1e-10000006", 9007199254740994.0},
      {"-0.0" + millions + "9007199254740993" + millions + "1e10000022", -9007199254740994.0},
      // Exponents of nine digits and more, far out of range.
      {"1e-123456789", 0},
      {"-12.5e000000000000000000000000123456789", 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(TextToReal(c.text), c.value) << '"' << c.text.substr(0, 40) << "\" ("
                                           << c.text.size() << " bytes)";
  }
}

// A number of any length is read by its true value, also when its exponent
// is beyond the 2.7 x 10^9 up to which the standard library reads one: texts
// of 2.7 GB, so only in the full run (ctest -C Full; 3 GB of memory).
TEST(TextToReal, ExponentsBeyondTheLibrarysTakenBackByTheDigits) {
  if (!std::getenv("JWW_READER_FULL")) GTEST_SKIP() << "full run only";
  constexpr size_t kZeros = 2'700'000'000;
  const auto number = [](std::string_view head, std::string_view tail) {
    std::string text;
    text.reserve(head.size() + kZeros + tail.size());
    text.append(head).append(kZeros, '0').append(tail);
    return text;
  };
  EXPECT_EQ(TextToReal(number("1", "e-2700000000")), 1);
  EXPECT_EQ(TextToReal(number("9007199254740993", "1e-2700000001")), 9007199254740994.0);
}

// A text read lately is found again by its bytes, and no other text may be
// taken for it: each text of 1 to 17 bytes, read between itself changed in
// one byte at each place (a digit, a point, the exponent), reads its own value.
TEST(TextToReal, ARecentTextIsToldFromOneThatDiffersInAnyByte) {
  TRecentNumbers recent;
  const std::string digits = "12345678901234567";
  for (size_t size = 1; size <= digits.size(); ++size) {
    const std::string text = digits.substr(0, size);
    for (size_t at = 0; at < size; ++at) {
      for (char other : {'9', '.', 'e'}) {
        std::string changed = text;
        changed[at] = changed[at] == other ? '0' : other;
        for (const std::string& t : {text, changed, text, changed}) {
          char* end = nullptr;
          double expected = std::strtod(t.c_str(), &end);
          // Not a whole number, or beyond the largest double: 0.
          if (*end != '\0' || t.back() == 'e' || !std::isfinite(expected)) expected = 0;
          EXPECT_EQ(TextToReal(t, recent), expected) << t;
          EXPECT_EQ(TextToReal("-" + t, recent), expected == 0 ? 0 : -expected) << t;
        }
      }
    }
  }
}

TEST(TextToReal, NegativeZeroReadsAsPlainZero) {
  for (const char* text : {"-0", "-0.0", "-0e5", "-1e-400", "-.0"}) {
    double value = TextToReal(text);
    EXPECT_EQ(value, 0) << text;
    EXPECT_FALSE(std::signbit(value)) << text;
  }
}

}  // namespace
