// Conversions from the transfer file's and the settings file's number texts.
// Both work on the bytes in place: no copy, no allocation.
#include "common/TextToNumber.h"

#include <algorithm>
#include <cstdint>
#include <limits>
#include <string_view>

#include "common/exact/ExactNumbers.h"

namespace {

constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Value of a hexadecimal digit, or -1.
constexpr int HexDigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  return -1;
}

// Drops the leading blanks (0x20 only; a tab is not a blank here).
std::string_view SkipBlanks(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && text[i] == ' ') ++i;
  return text.substr(i);
}

// Drops an optional "-" or "+" and says whether it was "-".
bool TakeSign(std::string_view& text) {
  if (text.empty() || (text[0] != '-' && text[0] != '+')) return false;
  bool negative = text[0] == '-';
  text.remove_prefix(1);
  return negative;
}

// Drops a hexadecimal prefix "$", "x", "X", "0x" or "0X" and says whether
// there was one.
bool TakeHexPrefix(std::string_view& text) {
  if (!text.empty() && (text[0] == '$' || text[0] == 'x' || text[0] == 'X')) {
    text.remove_prefix(1);
    return true;
  }
  if (text.size() >= 2 && text[0] == '0' && (text[1] == 'x' || text[1] == 'X')) {
    text.remove_prefix(2);
    return true;
  }
  return false;
}

// The parts of a real text, read in the same pass that checks its form.
struct TRealText {
  uint64_t mantissa = 0;          // the significant digits; exact while there are at most 19
  int64_t significantDigits = 0;  // 0 means the value is 0
  int64_t exponent = 0;           // the power of ten that goes with `mantissa`
};

// Reads a run of decimal digits of `text` from `i` on into `real`; digits of
// the fraction lower the exponent.
void ReadDigits(std::string_view text, size_t& i, bool fraction, TRealText& real) {
  const char* p = text.data() + i;
  const char* const end = text.data() + text.size();
  if (real.significantDigits == 0) {
    const char* zeros = p;
    while (p < end && *p == '0') ++p;
    if (fraction) real.exponent -= p - zeros;
  }
  const char* const from = p;
  uint64_t mantissa = real.mantissa;
  for (; p < end; ++p) {
    unsigned digit = static_cast<unsigned char>(*p) - unsigned{'0'};
    if (digit > 9) break;
    mantissa = mantissa * 10 + digit;  // may wrap past 19 digits: see ExactSmallValue
  }
  real.mantissa = mantissa;
  real.significantDigits += p - from;
  if (fraction) real.exponent -= p - from;
  i = static_cast<size_t>(p - text.data());
}

// The largest exponent of a text that still needs its true value. The
// digits before the "E" move the value by at most one power of ten each, so
// the value of digits x 10^power lies between 10^(power - size) and
// 10^(power + size) for a text of `size` bytes. Once the exponent exceeds
// size + 400 in magnitude, the value is beyond 10^400 or below 10^-400 and
// reads as 0 whatever the exponent's exact size, so the exponent may stop
// growing there. No text held in memory reaches 2^58 bytes (no processor
// addresses that much), so the cap stays below 2^59 and power x 10 + 9 within
// int64_t.
int64_t ExponentCap(std::string_view text) {
  constexpr size_t kLargestText = size_t{1} << 58;
  constexpr int64_t kBeyondEveryDouble = 400;  // doubles lie within 10^-324 .. 10^309
  return static_cast<int64_t>(std::min(text.size(), kLargestText)) + kBeyondEveryDouble;
}

// True when `text` is, as a whole, digits, an optional "." with digits and an
// optional exponent "E"/"e" with an optional sign and at least one digit. The
// mantissa may have no digit at all: the text is then well formed with the
// value 0. Gathers the parts into `real`; the exponent holds its true value
// up to ExponentCap, which reads the same as any larger one.
bool ScanRealText(std::string_view text, TRealText& real) {
  size_t i = 0;
  ReadDigits(text, i, false, real);
  if (i < text.size() && text[i] == '.') {
    ++i;
    ReadDigits(text, i, true, real);
  }
  if (i < text.size() && (text[i] == 'E' || text[i] == 'e')) {
    ++i;
    bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    size_t from = i;
    const int64_t cap = ExponentCap(text);
    int64_t power = 0;
    for (; i < text.size() && IsDigit(text[i]); ++i) {
      if (power <= cap) power = power * 10 + (text[i] - '0');
    }
    if (i == from) return false;
    real.exponent += negative ? -power : power;
  }
  return i == text.size();
}

// Powers of ten that a double holds exactly.
constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The value of a mantissa of at most 2^53 and a power of ten of at most 22 in
// magnitude: both are exact doubles, so one multiplication or division gives
// the correctly rounded result. False when the text is not that simple.
bool ExactSmallValue(const TRealText& real, double& value) {
  constexpr uint64_t kExactMantissaLimit = uint64_t{1} << 53;
  // More than 19 digits may have wrapped the mantissa; such texts go the long way.
  if (real.significantDigits > 19 || real.mantissa > kExactMantissaLimit) return false;
  if (real.exponent < -22 || real.exponent > 22) return false;
  value = static_cast<double>(real.mantissa);
  if (real.exponent < 0) {
    value /= kExactPowersOfTen[-real.exponent];
  } else {
    value *= kExactPowersOfTen[real.exponent];
  }
  return true;
}

// The shape of nearly every number of the transfer file: an optional "-",
// then at most 15 digits in all with an optional "." among or after them,
// nothing else. Its value is the digits as one integer, exact in a double,
// divided by an exact power of ten: correctly rounded, as the general route
// would give it. Whole part and fraction are read as two separate sums, which
// the processor can work on side by side. False for any other text.
bool ShortDecimal(std::string_view text, double& value) {
  constexpr size_t kMaxDigits = 15;
  const char* p = text.data();
  const char* const end = p + text.size();
  const bool negative = p != end && *p == '-';
  if (negative) ++p;
  const char* const wholeStart = p;
  uint64_t whole = 0;
  for (unsigned digit; p != end && (digit = static_cast<unsigned char>(*p) - unsigned{'0'}) <= 9;
       ++p) {
    whole = whole * 10 + digit;
    if (p - wholeStart == kMaxDigits) return false;
  }
  const size_t wholeDigits = static_cast<size_t>(p - wholeStart);
  uint64_t fraction = 0;
  size_t fractionDigits = 0;
  if (p != end && *p == '.') {
    const char* const fractionStart = ++p;
    for (unsigned digit; p != end && (digit = static_cast<unsigned char>(*p) - unsigned{'0'}) <= 9;
         ++p) {
      fraction = fraction * 10 + digit;
      if (p - fractionStart == kMaxDigits) return false;
    }
    fractionDigits = static_cast<size_t>(p - fractionStart);
  }
  const size_t digits = wholeDigits + fractionDigits;
  if (p != end || digits == 0 || digits > kMaxDigits) return false;
  const uint64_t mantissa = whole * kPowersOfTen[fractionDigits] + fraction;
  // Zero comes back unsigned, so "-0" never reaches the output as "-0".
  if (mantissa == 0) {
    value = 0;
    return true;
  }
  value = static_cast<double>(mantissa) / kExactPowersOfTen[fractionDigits];
  if (negative) value = -value;
  return true;
}

}  // namespace

int32_t TextToInt(std::string_view text) {
  text = SkipBlanks(text);
  bool negative = TakeSign(text);
  int base = TakeHexPrefix(text) ? 16 : 10;
  if (text.empty()) return 0;

  // The magnitude may reach 2^31 only for a negative number.
  const int64_t limit = negative ? int64_t{1} << 31 : (int64_t{1} << 31) - 1;
  int64_t magnitude = 0;
  for (char c : text) {
    int digit = base == 16 ? HexDigitValue(c) : (IsDigit(c) ? c - '0' : -1);
    if (digit < 0) return 0;
    magnitude = magnitude * base + digit;
    if (magnitude > limit) return 0;
  }
  return static_cast<int32_t>(negative ? -magnitude : magnitude);
}

double TextToReal(std::string_view text) {
  if (double quick; ShortDecimal(text, quick)) return quick;
  text = SkipBlanks(text);
  if (text.empty()) return 0;
  bool negative = TakeSign(text);
  TRealText real;
  if (text.empty() || !ScanRealText(text, real)) return 0;
  // Zero comes back unsigned, so "-0" never reaches the output as "-0".
  if (real.significantDigits == 0) return 0;

  double value = 0;
  if (!ExactSmallValue(real, value)) {
    // Long or far-out numbers: rounded correctly by integer arithmetic. A
    // value beyond the range of a double reads as 0 like any unreadable
    // number; so does a value that rounds to zero.
    const std::string_view digits = text.substr(0, text.find_first_of("Ee"));
    value = DecimalToDouble(digits, real.exponent);
    if (!(value < std::numeric_limits<double>::infinity()) || value == 0) return 0;
  }
  return negative ? -value : value;
}
