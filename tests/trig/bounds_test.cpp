// Each error bound of docs/trigonometry-error-analysis.md measured against
// MPFR at 200 bits, step by step, where it is tightest: the building blocks
// and the rounding test (sections 1, 2), the choice of k and the reduction
// (4.1), sin and cos of a reduced angle (4.2) and the arctangent of a ratio
// (5), at every table seam and over random arguments; and the exact route's
// fixed-point routines within the units they count (6). Each test prints the
// largest error it met as a share of its bound.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <numbers>
#include <random>

#include "common/exact/DoubleDouble.h"
#include "common/exact/ExactTrig.h"
#include "common/exact/TrigSteps.h"
#include "tests/trig/reference_checks.h"

namespace {

using trig_test::TReal;

static_assert(sizeof(unsigned long) == 8, "MPFR takes a uint64_t as an unsigned long");

constexpr double kU = 0x1p-53;
constexpr double kPi = std::numbers::pi;

// The largest share of its bound that an error reached, and where.
class TWorst {
 public:
  explicit TWorst(const char* what) : what_(what) {}
  ~TWorst() {
    std::printf("[  bound   ] %s: at most %.3g of the bound, at %a\n", what_, worst_, where_);
  }
  void Add(double error, double bound, double where) {
    if (error / bound <= worst_) return;
    worst_ = error / bound;
    where_ = where;
  }
  double worst() const { return worst_; }

 private:
  const char* what_;
  double worst_ = 0;
  double where_ = 0;
};

void Set(TReal& value, TDoubleDouble x) {
  mpfr_set_d(value.get(), x.hi, MPFR_RNDN);
  mpfr_add_d(value.get(), value.get(), x.lo, MPFR_RNDN);  // exact at 200 bits
}

// A normalised double-double near 2^exponent whose low part is at most
// `lowShare` of half an ulp of the high one.
template <typename Engine>
TDoubleDouble RandomDoubleDouble(Engine& engine, int exponent, double lowShare = 1) {
  const double hi = std::ldexp(trig_test::Uniform(engine, 1, 2), exponent);
  const double halfUlp = std::ldexp(1.0, exponent - 53);
  return {engine() % 2 == 0 ? hi : -hi, lowShare * halfUlp * trig_test::Uniform(engine, -1, 1)};
}

// Section 2: DdAdd within 3u^2 + 13u^3, cancellation included; DdDivide
// within (6 + 5b + b^2) u^2 for a divisor whose low part is at most b u of
// its high part: 12 u^2 normalised, 30 u^2 with b = 3 as atan2 divides.
TEST(Bounds, DoubleDoubleSumAndQuotient) {
  std::mt19937_64 engine(2611);
  TWorst sum("DdAdd"), quotient("DdDivide, normalised"), wide("DdDivide, low part 3u");
  TReal a, b, exact;
  for (int i = 0; i < 100000; ++i) {
    const TDoubleDouble x = RandomDoubleDouble(engine, static_cast<int>(engine() % 41) - 20);
    TDoubleDouble y = RandomDoubleDouble(engine, static_cast<int>(engine() % 41) - 20);
    if (i % 2 == 0) y = {-x.hi * (1 + std::ldexp(1.0, -static_cast<int>(engine() % 60))), -x.lo};
    Set(a, x);
    Set(b, y);
    mpfr_add(exact.get(), a.get(), b.get(), MPFR_RNDN);
    if (!mpfr_zero_p(exact.get())) {
      const TDoubleDouble s = DdAdd(x, y);
      sum.Add(trig_test::RelativeError(s.hi, s.lo, exact), 3 * kU * kU + 13 * kU * kU * kU, x.hi);
    }
    mpfr_div(exact.get(), a.get(), b.get(), MPFR_RNDN);
    const TDoubleDouble q = DdDivide(x, y);
    quotient.Add(trig_test::RelativeError(q.hi, q.lo, exact), 12 * kU * kU, x.hi);
    const TDoubleDouble w = {y.hi, y.lo * 3};  // low part up to 3u |hi|
    Set(b, w);
    mpfr_div(exact.get(), a.get(), b.get(), MPFR_RNDN);
    const TDoubleDouble v = DdDivide(x, w);
    wide.Add(trig_test::RelativeError(v.hi, v.lo, exact), 30 * kU * kU, x.hi);
  }
  EXPECT_LE(sum.worst(), 1);
  EXPECT_LE(quotient.worst(), 1);
  EXPECT_LE(wide.worst(), 1);
}

// Section 1: whatever the test accepts is the double nearest to every value
// within the bound. Values close to halfway between two doubles and bounds
// from 2^-104 to 2^-54 of them, so that it both accepts and declines.
TEST(Bounds, RoundingTestNeverAcceptsAWrongDouble) {
  std::mt19937_64 engine(2612);
  long accepted = 0;
  TReal low, high;
  for (int i = 0; i < 100000; ++i) {
    TDoubleDouble y = RandomDoubleDouble(engine, static_cast<int>(engine() % 41) - 20);
    const double halfUlp = std::ldexp(1.0, std::ilogb(y.hi) - 53);
    y.lo = std::copysign(halfUlp * (1 - std::ldexp(1.0, -static_cast<int>(engine() % 60))), y.lo);
    const double bound = std::fabs(y.hi) * std::ldexp(1.0, -54 - static_cast<int>(engine() % 51));
    double result = 0;
    if (!RoundsUnambiguously(y, bound, result)) continue;
    ++accepted;
    Set(low, y);
    mpfr_sub_d(low.get(), low.get(), bound, MPFR_RNDN);
    Set(high, y);
    mpfr_add_d(high.get(), high.get(), bound, MPFR_RNDN);
    ASSERT_TRUE(trig_test::SameBits(low.Rounded(), result) &&
                trig_test::SameBits(high.Rounded(), result))
        << std::hexfloat << y.hi << " + " << y.lo << " within " << bound;
  }
  EXPECT_GT(accepted, 10000);
}

// The seams (j + 1/2)/1024 of sin and cos, and the ends of the reduced
// range.
std::vector<double> SinCosCentres() {
  std::vector<double> centres = {0x1p-27, 0x1p-60, kPi / 4 + 0x1p-32};
  for (int j = 0; (j + 0.5) / kTableSteps <= kPi / 4 + 0x1p-32; ++j) {
    centres.push_back((j + 0.5) / kTableSteps);
  }
  return centres;
}

// Section 4.2 at r: within 0.85 2^-72 of sin r and 0.5 2^-72 of cos r.
void CheckReduced(TDoubleDouble r, TWorst& sine, TWorst& cosine) {
  TDoubleDouble s, c;
  SinCosOfReduced(r, s, c);
  TReal angle, exact;
  Set(angle, r);
  mpfr_sin(exact.get(), angle.get(), MPFR_RNDN);
  sine.Add(trig_test::RelativeError(s.hi, s.lo, exact), 0.85 * 0x1p-72, r.hi);
  mpfr_cos(exact.get(), angle.get(), MPFR_RNDN);
  cosine.Add(trig_test::RelativeError(c.hi, c.lo, exact), 0.5 * 0x1p-72, r.hi);
}

// r.hi within 2 ulps of each seam, with a low part of 0, of either sign up to
// half an ulp, and random; and random reduced angles of every size.
TEST(Bounds, SinCosOfAReducedAngle) {
  std::mt19937_64 engine(2613);
  TWorst sine("sin of a reduced angle"), cosine("cos of a reduced angle");
  for (double centre : SinCosCentres()) {
    trig_test::ForEachWithin(centre, 2, [&](double hi) {
      const double halfUlp = std::ldexp(1.0, std::ilogb(hi) - 53);
      for (double lo : {0.0, halfUlp, -halfUlp, halfUlp * trig_test::Uniform(engine, -1, 1)}) {
        if (hi <= kPi / 4 + 0x1p-32) CheckReduced({hi, lo}, sine, cosine);
      }
    });
  }
  for (int i = 0; i < 50000; ++i) {
    const TDoubleDouble r = RandomDoubleDouble(engine, -static_cast<int>(engine() % 62) - 1);
    if (std::fabs(r.hi) <= kPi / 4 + 0x1p-32) CheckReduced({std::fabs(r.hi), r.lo}, sine, cosine);
  }
  EXPECT_LE(sine.worst(), 1);
  EXPECT_LE(cosine.worst(), 1);
}

// Section 4.1 at x: k below 2^19, |x - k pi/2| <= pi/4 + 2^-32, the reduced
// angle within k 2^-156 + 2^-148.8 + 2^-102.8 |x - k pi/2|; then 4.2 at it.
TEST(Bounds, ChoiceOfKAndTheReduction) {
  std::mt19937_64 engine(2614);
  TWorst reduction("reduction"), sine("sin after the reduction"), cosine("cos after it");
  const TTrigConstants& constants = TrigConstants();
  const auto check = [&](double x) {
    if (!(x >= 0x1p-27 && x < 0x1p19)) return;
    const double k = HalfPiMultiple(x, constants);
    TReal exact;
    mpfr_const_pi(exact.get(), MPFR_RNDN);
    mpfr_mul_d(exact.get(), exact.get(), -k / 2, MPFR_RNDN);
    mpfr_add_d(exact.get(), exact.get(), x, MPFR_RNDN);
    const double reduced = std::fabs(exact.Rounded());
    EXPECT_TRUE(k < 0x1p19 && reduced <= kPi / 4 + 0x1p-32) << std::hexfloat << x;
    TDoubleDouble r = ReduceByHalfPi(x, k, constants);
    if (k > 0) {
      const double bound = k * 0x1p-156 + std::exp2(-148.8) + std::exp2(-102.8) * reduced;
      reduction.Add(trig_test::RelativeError(r.hi, r.lo, exact) * reduced, bound, x);
    }
    if (r.hi < 0) r = DdNegate(r);
    CheckReduced(r, sine, cosine);
  };
  constexpr long kLastFastMultiple = 333772;
  for (long k = 1; k <= kLastFastMultiple; k += 997) {
    trig_test::ForEachWithin(trig_test::NearestToPiMultiple(k, 2), 8, check);
    const double seam = (k % 804 + 0.5) / kTableSteps;
    for (double offset : {seam, -seam}) {
      trig_test::ForEachWithin(trig_test::NearestToPiMultiple(k, 2, offset), 2, check);
    }
  }
  for (int i = 0; i < 50000; ++i) check(std::ldexp(trig_test::Uniform(engine, 1, 2), -27 + i % 46));
  EXPECT_LE(reduction.worst(), 1);
  EXPECT_LE(sine.worst(), 1);
  EXPECT_LE(cosine.worst(), 1);
}

// Section 5: within 2^-73 of atan(smaller / larger). Quotients within 2
// ulps of every seam, as q / 1 and q m / m; quotients near the range's ends;
// random pairs.
TEST(Bounds, ArcTangentOfARatio) {
  std::mt19937_64 engine(2615);
  TWorst arcTangent("atan of a ratio");
  const auto check = [&](double smaller, double larger) {
    const TDoubleDouble a = ArcTangentOfRatio(smaller, larger);
    TReal exact, denominator;
    mpfr_set_d(exact.get(), smaller, MPFR_RNDN);
    mpfr_set_d(denominator.get(), larger, MPFR_RNDN);
    mpfr_atan2(exact.get(), exact.get(), denominator.get(), MPFR_RNDN);
    arcTangent.Add(trig_test::RelativeError(a.hi, a.lo, exact), 0x1p-73, smaller / larger);
  };
  constexpr double kMultiplier = 0x1.6147592bcb816p+0;
  for (int j = 0; j <= kTableSteps; ++j) {
    const double centre = j < kTableSteps ? (j + 0.5) / kTableSteps : 1;
    trig_test::ForEachWithin(centre, 2, [&](double q) {
      if (q > 1) return;
      check(q, 1);
      if (q * kMultiplier <= kMultiplier) check(q * kMultiplier, kMultiplier);
    });
  }
  check(0x1p-400, 0x1p400);
  check(0x1p400, 0x1p400);
  check(0x1p-400, 0x1p-389);
  for (int i = 0; i < 100000; ++i) {
    const double a = std::ldexp(trig_test::Uniform(engine, 1, 2), static_cast<int>(engine() % 80));
    const double b = std::ldexp(trig_test::Uniform(engine, 1, 2), static_cast<int>(engine() % 80));
    check(std::min(a, b), std::max(a, b));
  }
  EXPECT_LE(arcTangent.worst(), 1);
}

// Section 6: pi/2 within 2 units of 2^-F, sin, cos and atan within the
// units they count, at several precisions F.
TEST(Bounds, ExactRouteWithinItsCountedUnits) {
  std::mt19937_64 engine(2616);
  TWorst halfPi("HalfPiFixed"), series("SineFixed, CosineFixed"), arcTangent("ArcTangentFixed");
  for (int64_t bits : {128, 256, 1024}) {
    const auto unitsOff = [bits](const TBigUnsigned& m, TReal& exact) {
      TReal value(bits + 64);
      mpz_t integer;
      mpz_init(integer);
      mpz_import(integer, m.limbs.size(), -1, sizeof m.limbs[0], 0, 0, m.limbs.data());
      mpfr_set_z_2exp(value.get(), integer, -bits, MPFR_RNDN);  // exact
      mpz_clear(integer);
      mpfr_sub(value.get(), value.get(), exact.get(), MPFR_RNDN);
      mpfr_mul_2si(value.get(), value.get(), bits, MPFR_RNDN);
      return std::fabs(value.Rounded());
    };
    TReal exact(bits + 64), argument(bits + 64);
    mpfr_const_pi(exact.get(), MPFR_RNDN);
    mpfr_div_2ui(exact.get(), exact.get(), 1, MPFR_RNDN);
    halfPi.Add(unitsOff(HalfPiFixed(bits), exact), 2, static_cast<double>(bits));
    for (int i = 0; i < 200; ++i) {
      const double r = trig_test::Uniform(engine, 0, 1);
      const TBigUnsigned fixed = BigFromDouble(r, bits);
      mpfr_set_d(argument.get(), r, MPFR_RNDN);  // exact: r has no bits below 2^-bits
      for (bool cosine : {false, true}) {
        const TFixedValue value = cosine ? CosineFixed(fixed, bits) : SineFixed(fixed, bits);
        (cosine ? mpfr_cos : mpfr_sin)(exact.get(), argument.get(), MPFR_RNDN);
        series.Add(unitsOff(value.magnitude, exact), static_cast<double>(value.error), r);
      }
      const uint64_t q = engine() | 1;
      const uint64_t p = (q >> (engine() % 64)) | 1;  // 0 < p <= q
      const TFixedValue value = ArcTangentFixed(BigFromUint64(p), BigFromUint64(q), bits);
      TReal denominator(bits + 64);
      mpfr_set_ui(argument.get(), p, MPFR_RNDN);  // exact: unsigned long has 64 bits here
      mpfr_set_ui(denominator.get(), q, MPFR_RNDN);
      mpfr_atan2(exact.get(), argument.get(), denominator.get(), MPFR_RNDN);
      arcTangent.Add(unitsOff(value.magnitude, exact), static_cast<double>(value.error),
                     static_cast<double>(p) / static_cast<double>(q));
    }
  }
  EXPECT_LE(halfPi.worst(), 1);
  EXPECT_LE(series.worst(), 1);
  EXPECT_LE(arcTangent.worst(), 1);
}

}  // namespace
