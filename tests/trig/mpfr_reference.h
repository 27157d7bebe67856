// The reference for the trigonometry tests: MPFR at 200 bits, rounded to the
// nearest double. Test-only; the product never links MPFR.
#pragma once

#include <mpfr.h>

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace trig_test {

constexpr mpfr_prec_t kReferenceBits = 200;

// An MPFR number, 200 bits unless told, for the life of a scope.
class TReal {
 public:
  explicit TReal(mpfr_prec_t bits = kReferenceBits) { mpfr_init2(value_, bits); }
  ~TReal() { mpfr_clear(value_); }
  TReal(const TReal&) = delete;
  TReal& operator=(const TReal&) = delete;
  mpfr_ptr get() { return value_; }
  double Rounded() const { return mpfr_get_d(value_, MPFR_RNDN); }

 private:
  mpfr_t value_;
};

enum class TFunction { kSine, kCosine };

// sin x or cos x at 200 bits into `result`.
inline void Evaluate(TFunction f, double x, TReal& result) {
  TReal argument;
  mpfr_set_d(argument.get(), x, MPFR_RNDN);  // exact
  if (f == TFunction::kSine) {
    mpfr_sin(result.get(), argument.get(), MPFR_RNDN);
  } else {
    mpfr_cos(result.get(), argument.get(), MPFR_RNDN);
  }
}

inline double Reference(TFunction f, double x) {
  TReal result;
  Evaluate(f, x, result);
  return result.Rounded();
}

inline double ReferenceArcTangent2(double y, double x) {
  TReal a, b, result;
  mpfr_set_d(a.get(), y, MPFR_RNDN);
  mpfr_set_d(b.get(), x, MPFR_RNDN);
  mpfr_atan2(result.get(), a.get(), b.get(), MPFR_RNDN);
  return result.Rounded();
}

// |hi + lo - exact| / |exact|, at 200 bits.
inline double RelativeError(double hi, double lo, TReal& exact) {
  TReal error;
  mpfr_sub_d(error.get(), exact.get(), hi, MPFR_RNDN);
  mpfr_sub_d(error.get(), error.get(), lo, MPFR_RNDN);
  mpfr_div(error.get(), error.get(), exact.get(), MPFR_RNDN);
  return std::fabs(error.Rounded());
}

// The double nearest to k pi / divisor + offset.
inline double NearestToPiMultiple(long k, unsigned long divisor, double offset = 0) {
  TReal value;
  mpfr_const_pi(value.get(), MPFR_RNDN);
  mpfr_mul_si(value.get(), value.get(), k, MPFR_RNDN);
  mpfr_div_ui(value.get(), value.get(), divisor, MPFR_RNDN);
  mpfr_add_d(value.get(), value.get(), offset, MPFR_RNDN);
  return value.Rounded();
}

// r + 2 pi as the extended format adds them: 2 pi and the sum each rounded
// to `sumBits` significant bits (64), the sum then rounded to a double. With
// 200 bits it is the sum rounded once.
inline double ReferencePlusTwoPi(double r, mpfr_prec_t sumBits = 64) {
  TReal twoPi(sumBits), sum(sumBits);
  mpfr_const_pi(twoPi.get(), MPFR_RNDN);
  mpfr_mul_2ui(twoPi.get(), twoPi.get(), 1, MPFR_RNDN);
  mpfr_add_d(sum.get(), twoPi.get(), r, MPFR_RNDN);
  return sum.Rounded();
}

// How many bits after the rounding bit of f(x) are all alike: the measure of
// how hard f(x) is to round (about 1 for a random x). A run of the bit
// opposite to the rounding bit puts the value that close to halfway between
// two doubles; a run of the same bit, that close to a double.
inline int IdenticalBitsAfterRoundingBit(TFunction f, double x) {
  TReal value;
  Evaluate(f, x, value);
  mpfr_exp_t exponent;
  char* digits = mpfr_get_str(nullptr, &exponent, 2, kReferenceBits, value.get(), MPFR_RNDN);
  const char* bits = digits + (digits[0] == '-' ? 1 : 0);
  // Bit 53 (0-based) is the rounding bit of a normal double.
  int count = 1;
  for (size_t i = 55; i < std::strlen(bits) && bits[i] == bits[54]; ++i) ++count;
  mpfr_free_str(digits);
  return count;
}

// Uniform random doubles from a 64-bit generator.
template <typename Engine>
double Uniform(Engine& engine, double low, double high) {
  return low + (high - low) * (static_cast<double>(engine() >> 11) * 0x1p-53);
}

// A random finite double of any exponent, from its bits.
template <typename Engine>
double AnyFinite(Engine& engine) {
  for (;;) {
    uint64_t bits = engine();
    double x;
    std::memcpy(&x, &bits, sizeof x);
    if (std::isfinite(x)) return x;
  }
}

// JWW_TRIG_FULL=1 asks for the full run; JWW_QUICK=1 (the sanitizer run)
// for a short one.
inline bool EnvironmentSays(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr && std::strcmp(value, "1") == 0;
}
inline bool FullRun() {
  return EnvironmentSays("JWW_TRIG_FULL");
}
inline long RunSize(long full, long normal) {
  if (FullRun()) return full;
  return EnvironmentSays("JWW_QUICK") ? normal / 10 : normal;
}

}  // namespace trig_test
