// The real form against a slow exact model, over every magnitude: random bit
// patterns, random decimal values, coordinates, and the places where rounding
// and layout change. JWW_QUICK=1 cuts the random count for slow builds.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "tests/numbers/formatted.h"
#include "tests/numbers/real_form_reference.h"

namespace {

using real_form_reference::RealForm;

constexpr int kMaxReportedDifferences = 10;

bool QuickRun() {
  const char* quick = std::getenv("JWW_QUICK");
  return quick != nullptr && std::strcmp(quick, "1") == 0;
}

double FromBits(uint64_t bits) {
  double value;
  std::memcpy(&value, &bits, sizeof value);
  return value;
}

// Counts the values whose text differs from the model, reporting the first few.
class Differences {
 public:
  void Check(double value) {
    ++checked_;
    const std::string expected = RealForm(value);
    const std::string actual = RealText(value);
    if (actual == expected) return;
    if (++count_ <= kMaxReportedDifferences) {
      uint64_t bits;
      std::memcpy(&bits, &value, sizeof bits);
      ADD_FAILURE() << "bits 0x" << std::hex << bits << ": got \"" << actual << "\", expected \""
                    << expected << "\"";
    }
  }
  void CheckWithNeighbours(double value) {
    Check(value);
    Check(std::nextafter(value, -INFINITY));
    Check(std::nextafter(value, INFINITY));
    Check(-value);
  }
  int count() const { return count_; }
  long checked() const { return checked_; }

 private:
  int count_ = 0;
  long checked_ = 0;
};

double PowerOfTen(int exponent) {
  return std::strtod(("1e" + std::to_string(exponent)).c_str(), nullptr);
}

// The model itself, on values whose exact expansion is known.
TEST(RealFormReference, ExactExpansions) {
  const struct {
    double value;
    const char* digits;
    int exponent;
  } cases[] = {
      {0.1, "1000000000000000055511151231257827021181583404541015625", 0},
      {1.0, "1", 1},
      {104.5, "1045", 3},
      {0.0001, "1000000000000000047921736023859295983129413798451423645019531250", -3},
      {1e23, "99999999999999991611392", 23},
      {std::ldexp(1.0, -27), "7450580596923828125", -8},
  };
  for (const auto& c : cases) {
    std::string digits;
    int exponent = 0;
    real_form_reference::ExactDecimal(c.value, digits, exponent);
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string wanted = c.digits;
    while (wanted.size() > 1 && wanted.back() == '0') wanted.pop_back();
    EXPECT_EQ(digits, wanted) << c.digits;
    EXPECT_EQ(exponent, c.exponent) << c.digits;
  }
  std::string digits;
  int exponent = 0;
  real_form_reference::ExactDecimal(DBL_TRUE_MIN, digits, exponent);
  EXPECT_EQ(digits.substr(0, 20), "49406564584124654417");
  EXPECT_EQ(exponent, -323);
  EXPECT_EQ(digits.size(), 751u);
  EXPECT_EQ(RealForm(1234567890123456.0), "1.23456789012346E15");
  EXPECT_EQ(RealForm(0.00001), "1E-5");
  EXPECT_EQ(RealForm(std::nextafter(10.0, 0.0)), "10");
}

// Powers of ten over the fixed range and past it, the doubles either side of
// them, and the extremes of the double range.
TEST(RealFormDifferential, PowersOfTenAndExtremes) {
  Differences differences;
  for (int exponent = -6; exponent <= 17; ++exponent) {
    differences.CheckWithNeighbours(PowerOfTen(exponent));
    differences.CheckWithNeighbours(5 * PowerOfTen(exponent));
    differences.CheckWithNeighbours(PowerOfTen(exponent) - PowerOfTen(exponent - 16));
  }
  for (int exponent = -323; exponent <= 308; ++exponent) {
    differences.CheckWithNeighbours(PowerOfTen(exponent));
  }
  const double extremes[] = {
      0.0,         -0.0,      INFINITY,     -INFINITY,          NAN,
      DBL_MAX,     DBL_MIN,   DBL_TRUE_MIN, 2 * DBL_TRUE_MIN,   DBL_MIN - DBL_TRUE_MIN,
      DBL_EPSILON, 1.0 / 3.0, 2.0 / 3.0,    9.9999999999999999, 0.99999999999999994,
  };
  for (double value : extremes) differences.CheckWithNeighbours(value);
  EXPECT_EQ(differences.count(), 0);
}

// Every run of 9s long enough to carry at the 16th digit, in every decade of
// the fixed range and beyond: 0.99..9 x 10^k with 15 to 19 nines.
TEST(RealFormDifferential, CarriesIntoTheNextDecade) {
  Differences differences;
  for (int nines = 14; nines <= 19; ++nines) {
    for (int exponent = -8; exponent <= 20; ++exponent) {
      const std::string text = "0." + std::string(nines, '9') + "e" + std::to_string(exponent);
      differences.CheckWithNeighbours(std::strtod(text.c_str(), nullptr));
    }
  }
  EXPECT_EQ(differences.count(), 0);
}

TEST(RealFormDifferential, RandomValuesOfEveryMagnitude) {
  const int perKind = QuickRun() ? 20000 : 250000;
  std::mt19937_64 random(0x4A5757);
  Differences differences;

  // Any bit pattern: every exponent, subnormals, infinities and NaNs.
  for (int i = 0; i < perKind; ++i) differences.Check(FromBits(random()));

  // Decimal values of 1 to 19 digits at every scale, as the nearest double:
  // these sit on both sides of the 15-digit grid.
  std::uniform_int_distribution<int> digitCount(1, 19);
  std::uniform_int_distribution<int> scale(-340, 310);
  for (int i = 0; i < perKind; ++i) {
    std::string text;
    const int count = digitCount(random);
    for (int k = 0; k < count; ++k) text += static_cast<char>('0' + random() % 10);
    text.append("e").append(std::to_string(scale(random)));
    differences.Check(std::strtod(text.c_str(), nullptr));
  }

  // Drawing coordinates: millimetres with a few decimals, and results of
  // arithmetic on them (sums, rotations) that carry binary noise.
  std::uniform_real_distribution<double> coordinate(-100000.0, 100000.0);
  for (int i = 0; i < perKind; ++i) {
    const double x = std::round(coordinate(random) * 1000.0) / 1000.0;
    const double angle = coordinate(random);
    differences.Check(x);
    differences.Check(x * std::cos(angle) + 0.1);
  }
  EXPECT_EQ(differences.count(), 0);
  EXPECT_GE(differences.checked(), QuickRun() ? 80000 : 1000000);
}

}  // namespace
