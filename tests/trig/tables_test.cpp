// The constants and tables of the fast routes against MPFR at 200 bits: the
// premises of the error bounds in docs/trigonometry-error-analysis.md. The
// first three parts of pi/2 have at most 33 significant bits, the first falls
// short of pi/2 by more than 2^-34 and the four sum to within 2^-156 of pi/2;
// every double-double constant and table entry lies within 2^-106 of its
// value, relative to it.
#include <gtest/gtest.h>

#include <bit>
#include <cmath>
#include <cstdint>
#include <utility>
#include <vector>

#include "common/exact/TrigTables.h"
#include "tests/trig/mpfr_reference.h"

namespace {

int SignificantBits(double x) {
  const uint64_t fraction = std::bit_cast<uint64_t>(x) & ((uint64_t{1} << 52) - 1);
  return 53 - (fraction == 0 ? 52 : std::countr_zero(fraction));
}

TEST(TrigTables, ConstantsAndEntriesWithinTheirBoundsOfMpfr) {
  const TTrigConstants& constants = TrigConstants();
  trig_test::TReal halfPi;
  mpfr_const_pi(halfPi.get(), MPFR_RNDN);
  mpfr_div_2ui(halfPi.get(), halfPi.get(), 1, MPFR_RNDN);

  trig_test::TReal partsMiss;  // exact: the parts span 2^0 .. 2^-156
  mpfr_set_d(partsMiss.get(), 0, MPFR_RNDN);
  for (int i = 0; i < 4; ++i) {
    if (i < 3) {
      EXPECT_LE(SignificantBits(constants.halfPiParts[i]), 33) << "part " << i;
    }
    mpfr_add_d(partsMiss.get(), partsMiss.get(), constants.halfPiParts[i], MPFR_RNDN);
  }
  mpfr_sub(partsMiss.get(), partsMiss.get(), halfPi.get(), MPFR_RNDN);
  EXPECT_LT(std::fabs(mpfr_get_d(partsMiss.get(), MPFR_RNDN)), 0x1p-156);
  // The first part falls short of pi/2 by more than 2^-34, which keeps
  // x - p0 exact for the least x whose k is 1.
  trig_test::TReal shortfall;
  mpfr_sub_d(shortfall.get(), halfPi.get(), constants.halfPiParts[0], MPFR_RNDN);
  EXPECT_GT(mpfr_get_d(shortfall.get(), MPFR_RNDN), 0x1p-34);

  // Each double-double value as an MPFR function of a double: pi/2 is
  // atan(inf), pi is acos(-1).
  using TFunction = int (*)(mpfr_ptr, mpfr_srcptr, mpfr_rnd_t);
  struct TEntry {
    const char* name;
    double argument;
    TDoubleDouble value;
  };
  std::vector<std::pair<TEntry, TFunction>> entries = {
      {{"atan", INFINITY, constants.halfPi}, mpfr_atan},
      {{"acos", -1, constants.pi}, mpfr_acos},
  };
  for (int j = 1; j < kSinCosEntries; ++j) {
    entries.push_back({{"sin", j / 1024.0, SinCosTable()[j].sine}, mpfr_sin});
    entries.push_back({{"cos", j / 1024.0, SinCosTable()[j].cosine}, mpfr_cos});
  }
  for (int j = 1; j < kArcTangentEntries; ++j) {
    entries.push_back({{"atan", j / 1024.0, ArcTangentTable()[j]}, mpfr_atan});
  }
  for (const auto& [entry, function] : entries) {
    trig_test::TReal exact;
    mpfr_set_d(exact.get(), entry.argument, MPFR_RNDN);
    function(exact.get(), exact.get(), MPFR_RNDN);
    EXPECT_LT(trig_test::RelativeError(entry.value.hi, entry.value.lo, exact), 0x1p-106)
        << entry.name << "(" << std::hexfloat << entry.argument << ")";
  }
}

}  // namespace
