// The integer, hex digit and real forms of the output lines, built in the
// caller's buffer: no locale, no allocation. Integers come from
// std::to_chars; a real's decimal digits come from std::to_chars in
// scientific form with 18 significant digits, which is exact on every
// platform (correctly rounded from the double's exact value, whatever the C
// runtime), and are then rounded and laid out here.
#include "transfer/write/JwwNumberForms.h"

#include <charconv>
#include <cmath>
#include <cstring>

namespace {

// Significant digits of the real form, and of the correctly rounded decimal
// that it is rounded from.
constexpr int kRealDigits = 15;
constexpr int kExactDigits = 18;

// The decimal exponents E (value = 0.d1..dn x 10^E) written in fixed form;
// any other goes into scientific form.
constexpr int kFixedMinExponent = -3;
constexpr int kFixedMaxExponent = 15;

// A positive finite value as significant digits d1..dn (at most kRealDigits,
// no trailing zero) and the exponent E with value = 0.d1..dn x 10^E.
struct DecimalDigits {
  char digits[kRealDigits];
  int count;
  int exponent;
};

// The real form's digits of a positive finite magnitude: its 18 significant
// digits rounded to nearest, from std::to_chars ("d.ddddddddddddddddde-ddd"),
// then rounded half-up on the 16th digit to 15, carrying as far as needed
// (99..9 becomes 1 in the next decade), trailing zeros dropped.
DecimalDigits RealDigits(double magnitude) {
  constexpr int kPointAt = 1;
  constexpr int kExponentAt = kExactDigits + 1;  // the "e" after the point and the digits
  char text[32];  // 24 bytes at most: 18 digits, the point, "e", a sign, 3 digits
  const char* const end =
      std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                    kExactDigits - 1)
          .ptr;
  DecimalDigits d;
  d.digits[0] = text[0];
  std::memcpy(d.digits + 1, text + kPointAt + 1, kRealDigits - 1);
  int power = 0;  // the exponent after "e": 10^power <= magnitude
  const char* digits = text + kExponentAt + 2;  // after "e" and its sign, always written
  std::from_chars(digits, end, power);
  if (text[kExponentAt + 1] == '-') power = -power;
  d.exponent = power + 1;
  d.count = kRealDigits;
  if (text[kPointAt + kRealDigits] >= '5') {  // the 16th digit
    int i = kRealDigits - 1;
    while (i >= 0 && d.digits[i] == '9') d.digits[i--] = '0';
    if (i >= 0) {
      ++d.digits[i];
    } else {
      d.digits[0] = '1';
      ++d.exponent;
    }
  }
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
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
