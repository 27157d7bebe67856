// The hex digit and real forms of the output lines, built in the caller's
// buffer: no locale, no allocation. Reals in the fixed range take a short
// route when they were written with at most 15 digits (most values the
// host writes), else an exact integer route, and otherwise the general route
// of the project's own integer arithmetic, so that every platform writes the
// same digits.
#include "transfer/write/JwwNumberForms.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "common/exact/ExactNumbers.h"

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

void DropTrailingZeros(DecimalDigits& d) {
  while (d.count > 1 && d.digits[d.count - 1] == '0') --d.count;
}

// The 18 digits `eighteen` rounded half-up on the 16th to the real form's
// 15, carrying into the exponent where 99..9 rounds up.
uint64_t HalfUpToRealDigits(uint64_t eighteen, int& exponent) {
  const uint64_t dropped = kPowersOfTen[kExactDigits - kRealDigits];
  uint64_t n = eighteen / dropped;
  if (eighteen % dropped >= dropped / 2) ++n;
  if (n == kPowersOfTen[kRealDigits]) {
    n = kPowersOfTen[kRealDigits - 1];
    ++exponent;
  }
  return n;
}

// --- The exact integer route -------------------------------------------------
//
// For a magnitude in [1e-4, 1e15), the range of nearly every drawing value,
// the digits come straight from integer arithmetic: magnitude = m x 2^e
// exactly, so magnitude x 10^q = m x 10^q / 2^-e, which a 128-bit product and
// a shift give exactly. Rounding that to the nearest integer with q chosen for
// 18 digits, and then half-up on the last three, is the real form's rule
// itself, many times faster than the general route's big integers.

constexpr int kLargestPowerInWord = 19;

// An unsigned 128-bit integer in two words, in standard C++.
struct Wide {
  uint64_t high, low;
};

Wide Multiply(uint64_t a, uint64_t b) {
  const uint64_t aLow = a & 0xFFFFFFFF, aHigh = a >> 32;
  const uint64_t bLow = b & 0xFFFFFFFF, bHigh = b >> 32;
  const uint64_t lowLow = aLow * bLow, lowHigh = aLow * bHigh;
  const uint64_t highLow = aHigh * bLow, highHigh = aHigh * bHigh;
  const uint64_t middle = (lowLow >> 32) + (lowHigh & 0xFFFFFFFF) + (highLow & 0xFFFFFFFF);
  return {highHigh + (lowHigh >> 32) + (highLow >> 32) + (middle >> 32),
          (middle << 32) | (lowLow & 0xFFFFFFFF)};
}

// x * k for a product below 2^128.
Wide Multiply(Wide x, uint64_t k) {
  Wide low = Multiply(x.low, k);
  return {x.high * k + low.high, low.low};
}

// -1, 0 or 1 as a is below, equal to or above b.
int Compare(Wide a, Wide b) {
  if (a.high != b.high) return a.high < b.high ? -1 : 1;
  return a.low == b.low ? 0 : (a.low < b.low ? -1 : 1);
}

// x / 2^shift rounded to the nearest integer, for 0 < shift < 128 and a
// quotient below 2^64. False on an exact tie, which the general route
// settles.
bool ShiftRounded(Wide x, int shift, uint64_t& result) {
  Wide remainder, half;
  if (shift < 64) {
    result = (x.high << (64 - shift)) | (x.low >> shift);
    remainder = {0, x.low & ((uint64_t{1} << shift) - 1)};
    half = {0, uint64_t{1} << (shift - 1)};
  } else if (shift == 64) {
    result = x.high;
    remainder = {0, x.low};
    half = {0, uint64_t{1} << 63};
  } else {
    result = x.high >> (shift - 64);
    remainder = {x.high & ((uint64_t{1} << (shift - 64)) - 1), x.low};
    half = {uint64_t{1} << (shift - 65), 0};
  }
  const int side = Compare(remainder, half);
  if (side == 0) return false;
  if (side > 0) ++result;
  return true;
}

// The real form's 15 digits of a magnitude in [1e-4, 1e15) by the short or
// the integer route, as the integer `digits` (10^14 <= digits < 10^15, trailing zeros
// included) with magnitude ~ 0.d1..d15 x 10^exponent. False for any other
// magnitude and for the rare exact tie at the 18th digit.
bool FixedRangeDigits(double magnitude, uint64_t& digits, int& exponent) {
  static constexpr double kDecades[] = {1e-4, 1e-3, 1e-2, 1e-1, 1e0,  1e1,  1e2,  1e3,  1e4,  1e5,
                                        1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15};
  if (!(magnitude >= 1e-4 && magnitude < 1e15)) [[unlikely]] {
    return false;
  }
  uint64_t bits;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const uint64_t m = (bits & ((uint64_t{1} << 52) - 1)) | (uint64_t{1} << 52);
  const int e = static_cast<int>(bits >> 52) - 1075;  // magnitude = m x 2^e, e < 0 here

  // The decimal exponent E with 10^(E-1) <= magnitude < 10^E: first from the
  // binary exponent (78913 / 2^18 is just below log10(2)), then one step up
  // if the magnitude reaches the next decade. The decade bounds below 1 are
  // the doubles nearest to them, which lie above them, so the test is exact.
  exponent = (((e + 52) * 78913) >> 18) + 1;
  if (magnitude >= kDecades[exponent + 4]) ++exponent;

  // Nearly every value was read from at most 15 significant digits. Those
  // digits, as the integer of the value scaled to 15 digits, then divide back
  // to the value exactly, and they are the real form's digits: the value lies
  // within 0.12 units of their 15th digit, and no other decimal of 15 digits
  // does. So one multiplication and one division settle such a value. The
  // scaled product is within 0.2 of the integer, so rounding it finds the
  // integer whenever there is one to find.
  const double shortPower = static_cast<double>(kPowersOfTen[kRealDigits - exponent]);  // exact
  const uint64_t shortDigits = static_cast<uint64_t>(magnitude * shortPower + 0.5);
  if (shortDigits < kPowersOfTen[kRealDigits] &&
      static_cast<double>(shortDigits) / shortPower == magnitude) {
    digits = shortDigits;
    return true;
  }

  const int q = kExactDigits - exponent;  // 3..21
  Wide scaled = Multiply(m, kPowersOfTen[q < kLargestPowerInWord ? q : kLargestPowerInWord]);
  if (q > kLargestPowerInWord) scaled = Multiply(scaled, kPowersOfTen[q - kLargestPowerInWord]);
  uint64_t eighteen;
  if (!ShiftRounded(scaled, -e, eighteen)) return false;
  if (eighteen == kPowersOfTen[kExactDigits]) {  // 99..9.5 carried into the next decade
    eighteen = kPowersOfTen[kExactDigits - 1];
    ++exponent;
  }
  if (eighteen < kPowersOfTen[kExactDigits - 1] || eighteen > kPowersOfTen[kExactDigits]) {
    return false;  // cannot happen; the general route is the safe answer
  }

  digits = HalfUpToRealDigits(eighteen, exponent);
  return true;
}

// The real form's digits of a positive finite magnitude by the general
// route: 18 correctly rounded digits, then half-up to 15, trailing zeros
// dropped.
DecimalDigits RealDigits(double magnitude) {
  uint64_t eighteen;
  int exponent;
  RoundToDecimalDigits(magnitude, kExactDigits, eighteen, exponent);
  uint64_t n = HalfUpToRealDigits(eighteen, exponent);
  DecimalDigits d;
  d.count = kRealDigits;
  d.exponent = exponent;
  for (int i = kRealDigits - 1; i >= 0; --i, n /= 10) d.digits[i] = static_cast<char>('0' + n % 10);
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

// --- Fixed layout from the integer route ---------------------------------------
//
// The 15 digits are turned into characters in two 64-bit words and laid out
// with shifts and masks, then stored 8 bytes at a time: no digit-by-digit
// loop, no store that is read back. Little-endian byte order only.

// Sixteen characters in string order: byte i of the little-endian pair is
// character i.
struct Chars16 {
  uint64_t low, high;
};

// The 8 decimal digits of v < 10^8 as byte values 0..9, first digit in the
// lowest byte: 4 + 4 digits, then 2 + 2 in each half, then 1 + 1, each split
// by multiply-and-shift on all lanes at once.
constexpr uint64_t EightDigitValues(uint32_t v) {
  const uint64_t fours = (v / 10000) | (static_cast<uint64_t>(v % 10000) << 32);
  const uint64_t hundreds = ((fours * 10486) >> 20) & 0x0000007F0000007F;
  const uint64_t twos = hundreds | ((fours - hundreds * 100) << 16);
  const uint64_t tens = ((twos * 103) >> 10) & 0x000F000F000F000F;
  return tens | ((twos - tens * 10) << 8);
}

void StoreChars(char* out, Chars16 chars) {
  std::memcpy(out, &chars.low, 8);
  std::memcpy(out + 8, &chars.high, 8);
}

// `chars` with '.' inserted before character `at` (1..14); the character
// pushed past the 16th is dropped.
Chars16 InsertPoint(Chars16 chars, int at) {
  const int bit = 8 * (at & 7);
  const uint64_t below = (uint64_t{1} << bit) - 1;  // characters before `at` in its word
  const uint64_t point = uint64_t{'.'} << bit;
  if (at < 8) {
    const uint64_t moved = chars.low & ~below;
    return {(chars.low & below) | point | (moved << 8), (chars.high << 8) | (moved >> 56)};
  }
  return {chars.low, (chars.high & below) | point | ((chars.high & ~below) << 8)};
}

// Writes the fixed form of the 15-digit integer `digits` with decimal
// exponent E in [kFixedMinExponent, kFixedMaxExponent] and returns the end.
// Up to 21 bytes are stored, within the kJwwNumberMax bytes of room; the
// bytes beyond the end are scratch.
char* WriteFixedDigits(char* out, uint64_t digits, int exponent) {
  // The 15 digits as values: 7 from the high part (its 8-digit form starts
  // with a 0, dropped), then 8 from the low part. Byte 15 stays 0.
  const uint64_t first = EightDigitValues(static_cast<uint32_t>(digits / 100000000));
  const uint64_t last = EightDigitValues(static_cast<uint32_t>(digits % 100000000));
  const Chars16 values = {(first >> 8) | (last << 56), last >> 8};
  // Trailing zero digits are the zero bytes at the top of the 15.
  const int trailingZeros = values.high != 0 ? std::countl_zero(values.high) / 8 - 1
                                             : 7 + std::countl_zero(values.low) / 8;
  const int count = kRealDigits - trailingZeros;
  constexpr uint64_t kZeroChars = 0x3030303030303030;
  const Chars16 chars = {values.low + kZeroChars, values.high + kZeroChars};

  if (exponent <= 0) {
    std::memcpy(out, "0.000", 5);
    out += 2 - exponent;
    StoreChars(out, chars);
    return out + count;
  }
  if (count <= exponent) {
    StoreChars(out, chars);  // the first E digits, zeros included
    return out + exponent;
  }
  StoreChars(out, InsertPoint(chars, exponent));
  return out + count + 1;
}

}  // namespace

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
  // The sign without a branch: signs of drawing values follow no pattern.
  *out = '-';
  out += std::signbit(value) ? 1 : 0;
  if (std::isinf(value)) return CopyText(out, "INF");
  if constexpr (std::endian::native == std::endian::little) {
    uint64_t digits;
    int exponent;
    if (FixedRangeDigits(std::fabs(value), digits, exponent) && exponent <= kFixedMaxExponent)
        [[likely]] {
      return WriteFixedDigits(out, digits, exponent);
    }
  }
  const DecimalDigits d = RealDigits(std::fabs(value));
  if (d.exponent < kFixedMinExponent || d.exponent > kFixedMaxExponent) {
    return WriteScientific(out, d);
  }
  return WriteFixed(out, d);
}
