// The hex digit and real forms of the output lines, built in the caller's
// buffer: no locale, no allocation. A real's decimal digits come from
// std::to_chars in scientific form, the same on every platform (exact,
// whatever the C runtime), and are then rounded and laid out here.
#include "transfer/write/JwwNumberForms.h"

#include <array>
#include <bit>
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

// A positive finite value as significant digits d1..dn (at most kRealDigits,
// no trailing zero) and the exponent E with value = 0.d1..dn x 10^E. The
// digits are copied in blocks of fixed size, which compile to a few moves,
// so the array has room past the digits.
struct DecimalDigits {
  char digits[32];
  int count;
  int exponent;
};

// The exponent of a scientific text from std::to_chars, which writes "e", a
// sign and two or three digits; [exponent, end) is that part.
int ScientificExponent(const char* exponent, const char* end) {
  int power = (exponent[2] - '0') * 10 + (exponent[3] - '0');
  if (end - exponent == 5) power = power * 10 + (exponent[4] - '0');
  return exponent[1] == '-' ? -power : power;
}

// The digits d1..dn of `d` from a scientific mantissa "d[.ddd]" of
// `significant` digits (at most kRealDigits) at `text`, which has 17 bytes
// at least.
void TakeDigits(DecimalDigits& d, const char* text, int significant) {
  d.digits[0] = text[0];
  std::memcpy(d.digits + 1, text + 2, kRealDigits);
  d.count = significant;
}

// The real form's digits of a positive finite magnitude: its 18 significant
// digits rounded to nearest, rounded half-up on the 16th digit to 15,
// carrying as far as needed (99..9 becomes 1 in the next decade), trailing
// zeros dropped.
//
// First, for a normal magnitude, the shortest text that std::to_chars reads
// back as it: when that has at most 15 significant digits (nearly every
// value read from the file has), they are the answer. The text lies within
// half a unit in the last place of the magnitude, at most 2^-53 of it for a
// normal double and so less than 0.12 units of the magnitude's 15th digit
// (in whichever decade it lies); the 18-digit rounding moves by 0.0005
// units more, and the half-up rounding to 15 digits then lands on those
// digits again. (A subnormal's last place is larger, and its shortest text
// may lie further off.) Otherwise the 18 digits come from std::to_chars
// with that precision and are rounded here.
DecimalDigits RealDigits(double magnitude) {
  char text[32];  // at most 24 bytes: 18 digits, the point, "e", a sign, 3 digits
  DecimalDigits d;
  const char* end;
  if (magnitude >= std::numeric_limits<double>::min()) {
    end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific).ptr;
    const char* exponent = end[-4] == 'e' ? end - 4 : end - 5;
    const int shortest = exponent == text + 1 ? 1 : static_cast<int>(exponent - text) - 1;
    if (shortest <= kRealDigits) {
      TakeDigits(d, text, shortest);
      d.exponent = ScientificExponent(exponent, end) + 1;
      return d;
    }
  }

  end = std::to_chars(text, text + sizeof text, magnitude, std::chars_format::scientific,
                      kExactDigits - 1)
            .ptr;
  TakeDigits(d, text, kRealDigits);
  // The exponent follows the first digit, the point and 17 more.
  d.exponent = ScientificExponent(text + kExactDigits + 1, end) + 1;
  if (text[kRealDigits + 1] >= '5') {  // the 16th digit
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

// The layout below writes into a buffer of kLayoutRoom bytes, in fixed-size
// blocks that may run past the form's end: a block of 16 bytes starts at
// most 17 bytes in (after "0.000" or a point among the digits), and the
// exponent, which FormatInt gives kJwwNumberMax bytes of room, at most 17
// bytes in.
constexpr size_t kLayoutRoom = 17 + kJwwNumberMax;

// `count` zeros (at most 16).
char* FillZeros(char* out, int count) {
  std::memset(out, '0', 16);
  return out + count;
}

// digits[0, count) (at most 16).
char* CopyDigits(char* out, const char* digits, int count) {
  std::memcpy(out, digits, 16);
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

constexpr int kRealFormMax = 23;  // "1.23456789012345E-308" and room to spare
static_assert(1 + kRealFormMax <= kJwwNumberMax, "a sign and a slot fit in the caller's room");
struct TRecentRealForm {
  uint64_t bits;  // the magnitude's; 0 (that of zero, which is never kept) when empty
  uint8_t length;
  char text[kRealFormMax];
};
constexpr int kRecentRealFormBits = 8;

}  // namespace

struct TJwwRecentRealForms {
  std::array<TRecentRealForm, size_t{1} << kRecentRealFormBits> slots{};

  // The slot of `bits`: the top bits of a multiplicative hash, which spreads
  // values that differ only in their low bits.
  TRecentRealForm& Slot(uint64_t bits) {
    constexpr uint64_t kGoldenRatio = 0x9E3779B97F4A7C15;
    return slots[(bits * kGoldenRatio) >> (64 - kRecentRealFormBits)];
  }
};

TJwwRecentRealForms& JwwThisThreadsRealForms() {
  thread_local TJwwRecentRealForms forms;
  return forms;
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
  return FormatReal(out, value, JwwThisThreadsRealForms());
}

char* FormatReal(char* out, double value, TJwwRecentRealForms& recentForms) {
  if (std::isnan(value)) return CopyText(out, "NAN");
  if (value == 0) return CopyText(out, "0");  // either sign
  if (std::signbit(value)) *out++ = '-';
  if (std::isinf(value)) return CopyText(out, "INF");
  const double magnitude = std::fabs(value);
  const uint64_t bits = std::bit_cast<uint64_t>(magnitude);
  TRecentRealForm& recent = recentForms.Slot(bits);
  if (recent.bits == bits) {
    // The whole slot in one fixed-size copy: the bytes past the text fall
    // within the room the caller gives.
    std::memcpy(out, recent.text, kRealFormMax);
    return out + recent.length;
  }
  const DecimalDigits d = RealDigits(magnitude);
  char form[kLayoutRoom];
  const char* const end = d.exponent < kFixedMinExponent || d.exponent > kFixedMaxExponent
                              ? WriteScientific(form, d)
                              : WriteFixed(form, d);
  recent.bits = bits;
  recent.length = static_cast<uint8_t>(end - form);
  std::memcpy(recent.text, form, kRealFormMax);
  std::memcpy(out, form, kRealFormMax);
  return out + recent.length;
}
