// The integer, hex digit and real forms of the output lines. Everything is
// built in the caller's buffer with std::to_chars: no locale, no allocation.
#include "transfer/JwwNumberForms.h"

#include <charconv>
#include <cmath>
#include <cstring>
#include <limits>

namespace {

// Significant digits of the real form, and of the correctly rounded decimal
// that it is rounded from.
constexpr int kRealDigits = 15;
constexpr int kExactDigits = 18;

// The decimal exponents E (value = 0.d1..dn x 10^E) written in fixed form;
// any other goes into scientific form.
constexpr int kFixedMinExponent = -3;
constexpr int kFixedMaxExponent = 15;

// A positive finite value as significant digits d1..dn and the exponent E
// with value = 0.d1..dn x 10^E. Holds up to kExactDigits digits while being
// rounded, at most kRealDigits without trailing zeros when done.
struct DecimalDigits {
  char digits[kExactDigits + 1];
  int count;
  int exponent;
};

// Reads what std::to_chars wrote in scientific form ("d.ddde+XX" or "de-XX")
// into `result`: digits without the point, exponent as 0.d1.. x 10^E.
void ParseScientific(const char* first, const char* last, DecimalDigits& result) {
  int count = 0;
  const char* p = first;
  for (; p != last && *p != 'e'; ++p) {
    if (*p != '.' && count < kExactDigits) result.digits[count++] = *p;
  }
  int exponent = 0;
  std::from_chars(p + 1 + (p[1] == '+' ? 1 : 0), last, exponent);
  result.count = count;
  result.exponent = exponent + 1;
}

// Rounds the digits half-up on the digit after kRealDigits, carrying as far as
// needed (9.99..9 becomes 1 with the exponent one higher).
void RoundHalfUpToRealDigits(DecimalDigits& d) {
  if (d.count <= kRealDigits) return;
  const bool roundUp = d.digits[kRealDigits] >= '5';
  d.count = kRealDigits;
  if (!roundUp) return;
  int i = kRealDigits - 1;
  while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
  if (i >= 0) {
    ++d.digits[i];
  } else {
    d.digits[0] = '1';  // the rest are zeros now
    ++d.exponent;
  }
}

void DropTrailingZeros(DecimalDigits& d) {
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
}

// The real form's digits of a positive finite magnitude.
//
// The shortest round-trip decimal S of a normal double lies within half an
// ulp of it, that is within 2^-53 times its magnitude, less than 0.12
// units of the 15th significant digit. When S has at most 15 digits it sits on
// the 15-digit grid, so rounding the exact value to 18 digits and then half-up
// to 15 lands on S: S is the answer. Subnormals have a coarser ulp and always
// take the second route: 18 correctly rounded digits, then half-up at the 16th.
DecimalDigits RealDigits(double magnitude) {
  DecimalDigits d;
  char buffer[40];
  auto shortest =
      std::to_chars(buffer, buffer + sizeof buffer, magnitude, std::chars_format::scientific);
  ParseScientific(buffer, shortest.ptr, d);
  if (d.count > kRealDigits || magnitude < std::numeric_limits<double>::min()) {
    auto exact = std::to_chars(buffer, buffer + sizeof buffer, magnitude,
                               std::chars_format::scientific, kExactDigits - 1);
    ParseScientific(buffer, exact.ptr, d);
    RoundHalfUpToRealDigits(d);
  }
  DropTrailingZeros(d);
  return d;
}

char* CopyText(char* out, const char* text) {
  const size_t length = std::strlen(text);
  std::memcpy(out, text, length);
  return out + length;
}

char* FillZeros(char* out, int count) {
  for (int i = 0; i < count; ++i) *out++ = '0';
  return out;
}

char* CopyDigits(char* out, const char* digits, int count) {
  std::memcpy(out, digits, static_cast<size_t>(count));
  return out + count;
}

// Lays out d as "d1[.d2..dn]E<E-1>".
char* WriteScientific(char* out, const DecimalDigits& d) {
  *out++ = d.digits[0];
  if (d.count > 1) {
    *out++ = '.';
    out = CopyDigits(out, d.digits + 1, d.count - 1);
  }
  *out++ = 'E';
  return FormatInt(out, d.exponent - 1);
}

// Lays out d in fixed form; E must lie in [kFixedMinExponent, kFixedMaxExponent].
char* WriteFixed(char* out, const DecimalDigits& d) {
  if (d.exponent <= 0) {
    *out++ = '0';
    *out++ = '.';
    out = FillZeros(out, -d.exponent);
    return CopyDigits(out, d.digits, d.count);
  }
  if (d.count <= d.exponent) {
    out = CopyDigits(out, d.digits, d.count);
    return FillZeros(out, d.exponent - d.count);
  }
  out = CopyDigits(out, d.digits, d.exponent);
  *out++ = '.';
  return CopyDigits(out, d.digits + d.exponent, d.count - d.exponent);
}

}  // namespace

char* FormatInt(char* out, int32_t value) {
  return std::to_chars(out, out + kJwwNumberMax, value).ptr;
}

char* FormatHex(char* out, int32_t value) {
  static constexpr char kHexDigits[] = "0123456789ABCDEF";
  uint32_t bits = static_cast<uint32_t>(value);
  char reversed[8];
  int count = 0;
  do {
    reversed[count++] = kHexDigits[bits & 0xF];
    bits >>= 4;
  } while (bits != 0);
  while (count > 0) *out++ = reversed[--count];
  return out;
}

char* FormatReal(char* out, double value) {
  if (std::isnan(value)) return CopyText(out, "NAN");
  if (value == 0) return CopyText(out, "0");  // either sign
  if (std::signbit(value)) *out++ = '-';
  if (std::isinf(value)) return CopyText(out, "INF");
  const DecimalDigits d = RealDigits(std::fabs(value));
  if (d.exponent < kFixedMinExponent || d.exponent > kFixedMaxExponent) {
    return WriteScientific(out, d);
  }
  return WriteFixed(out, d);
}
