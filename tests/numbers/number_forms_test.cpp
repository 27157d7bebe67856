// The integer, hex digit and real forms on fixed cases: bounds, the layout
// boundaries and the carries of the 15-digit rounding.
#include <gtest/gtest.h>

#include <charconv>
#include <cmath>
#include <cstdint>
#include <limits>
#include <random>
#include <string>

#include "tests/numbers/formatted.h"

namespace {

constexpr int32_t kMinInt = std::numeric_limits<int32_t>::min();
constexpr int32_t kMaxInt = std::numeric_limits<int32_t>::max();

TEST(IntegerForm, Bounds) {
  const struct {
    int32_t value;
    const char* text;
  } cases[] = {
      {0, "0"},
      {7, "7"},
      {-7, "-7"},
      {10, "10"},
      {-100, "-100"},
      {1000000000, "1000000000"},
      {kMaxInt, "2147483647"},
      {kMinInt, "-2147483648"},
      {kMinInt + 1, "-2147483647"},
  };
  for (const auto& c : cases) EXPECT_EQ(IntText(c.value), c.text) << c.value;
}

TEST(HexDigitForm, UpperCaseWithoutLeadingZeros) {
  const struct {
    int32_t value;
    const char* text;
  } cases[] = {
      {0, "0"},
      {9, "9"},
      {10, "A"},
      {15, "F"},
      {16, "10"},
      {255, "FF"},
      {0xABCDEF, "ABCDEF"},
      {kMaxInt, "7FFFFFFF"},
      {-1, "FFFFFFFF"},
      {-16, "FFFFFFF0"},
      {kMinInt, "80000000"},
  };
  for (const auto& c : cases) EXPECT_EQ(HexText(c.value), c.text) << c.value;
}

// Both integer forms read back to the value they came from, with no leading
// zero and no lower-case digit.
TEST(IntegerForms, ReadBackOverRandomValues) {
  std::mt19937 random(20240613);
  for (int i = 0; i < 100000; ++i) {
    const int32_t value = static_cast<int32_t>(random());
    const std::string decimal = IntText(value);
    int32_t decimalBack = 0;
    std::from_chars(decimal.data(), decimal.data() + decimal.size(), decimalBack);
    ASSERT_EQ(decimalBack, value) << decimal;

    const std::string hex = HexText(value);
    uint32_t hexBack = 0;
    std::from_chars(hex.data(), hex.data() + hex.size(), hexBack, 16);
    ASSERT_EQ(hexBack, static_cast<uint32_t>(value)) << hex;
    ASSERT_TRUE(hex == "0" || hex[0] != '0') << hex;
    ASSERT_EQ(hex.find_first_of("abcdef"), std::string::npos) << hex;
  }
}

struct RealCase {
  double value;
  const char* text;
};

void ExpectRealForms(const RealCase* first, const RealCase* last) {
  for (; first != last; ++first) {
    EXPECT_EQ(RealText(first->value), first->text) << "value " << first->text;
  }
}

TEST(RealForm, DocumentedExamples) {
  const RealCase cases[] = {
      {0.0, "0"},
      {-0.0, "0"},
      {12.5, "12.5"},
      {-3.0, "-3"},
      {100.0, "100"},
      {0.0001, "0.0001"},
      {0.00001, "1E-5"},
      {1.0 / 3.0, "0.333333333333333"},
      {2.0 / 3.0, "0.666666666666667"},
      {123456789012345.0, "123456789012345"},
      {1e15, "1E15"},
      {1234567890123456.0, "1.23456789012346E15"},
      {-1.5e-7, "-1.5E-7"},
  };
  ExpectRealForms(std::begin(cases), std::end(cases));
}

TEST(RealForm, SpecialValues) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  const RealCase cases[] = {
      {kInf, "INF"},
      {-kInf, "-INF"},
      {kNan, "NAN"},
      {-kNan, "NAN"},
      {std::numeric_limits<double>::signaling_NaN(), "NAN"},
      {std::numeric_limits<double>::max(), "1.79769313486232E308"},
      {-std::numeric_limits<double>::max(), "-1.79769313486232E308"},
      {std::numeric_limits<double>::min(), "2.2250738585072E-308"},
      // Subnormals: the shortest round-trip text ("5e-324") is too short here;
      // the exact value has more digits than it shows.
      {std::numeric_limits<double>::denorm_min(), "4.94065645841247E-324"},
      {-std::numeric_limits<double>::denorm_min(), "-4.94065645841247E-324"},
      {std::nextafter(std::numeric_limits<double>::min(), 0.0), "2.2250738585072E-308"},
  };
  ExpectRealForms(std::begin(cases), std::end(cases));
}

// Where the fixed layout ends and the scientific one begins, on both sides.
TEST(RealForm, LayoutBoundaries) {
  const RealCase cases[] = {
      {0.001, "0.001"},
      {0.000999, "0.000999"},
      {0.0001, "0.0001"},
      {0.00009999, "9.999E-5"},
      {-0.00012, "-0.00012"},
      {0.1, "0.1"},
      {0.5, "0.5"},
      {1.0, "1"},
      {1.5, "1.5"},
      {10.0, "10"},
      {104.5, "104.5"},
      {-123.456, "-123.456"},
      {100000000000000.0, "100000000000000"},
      {999999999999999.0, "999999999999999"},
      {123456789012345.6, "123456789012346"},
      {12345678901234.5, "12345678901234.5"},
      {1e16, "1E16"},
      {1.5e16, "1.5E16"},
      {1e100, "1E100"},
      {-2.5e-300, "-2.5E-300"},
      {1e-100, "1E-100"},
  };
  ExpectRealForms(std::begin(cases), std::end(cases));
}

// The 18-digit value rounded half-up on its 16th digit, carrying through
// every 9, sometimes into the next decade and so into the other layout.
TEST(RealForm, RoundingCarries) {
  const RealCase cases[] = {
      {9.9999999999999999, "10"},
      {std::nextafter(10.0, 0.0), "10"},  // 9.99999999999999822...
      {0.99999999999999994, "1"},
      {std::nextafter(1.0, 0.0), "1"},
      {std::nextafter(1.0, 2.0), "1"},
      {999999999999999.94, "1E15"},  // 999999999999999.875 exactly
      {std::nextafter(1e16, 0.0), "1E16"},
      {std::nextafter(1e-300, 0.0), "1E-300"},
      {99999.999999999999, "100000"},
      {0.00099999999999999999, "0.001"},
      {0.000099999999999999999, "0.0001"},
      {0.0000099999999999999999, "1E-5"},
      {-9.99999999999999e22, "-9.99999999999999E22"},
      {0.1 + 0.2, "0.3"},                       // 0.300000000000000044...
      {1.0000000000000005, "1"},                // 16th digit 0 after the 18-digit rounding
      {1.000000000000005, "1.00000000000001"},  // 1.00000000000000511 half-up
      {1.4142135623730951, "1.4142135623731"},  // 15th digit rounds to 0, dropped
  };
  ExpectRealForms(std::begin(cases), std::end(cases));
}

}  // namespace
