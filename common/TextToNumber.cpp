// Conversions from the transfer file's and the settings file's number texts.
// Both work on the bytes in place: no copy, no allocation. A real's text is
// checked against the file's grammar here and converted by the standard
// library's std::from_chars, which rounds correctly on every platform.
#include "common/TextToNumber.h"

#include <charconv>
#include <cstdint>
#include <string_view>
#include <system_error>

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

// The length of the longest run of decimal digits at the start of `text`.
size_t DigitRun(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && IsDigit(text[i])) ++i;
  return i;
}

// True when `text` is, as a whole, digits, an optional "." with digits and an
// optional exponent "E"/"e" with an optional sign and at least one digit.
// The mantissa may have no digit at all: the text is then well formed with
// the value 0.
bool IsRealText(std::string_view text) {
  text.remove_prefix(DigitRun(text));
  if (!text.empty() && text[0] == '.') {
    text.remove_prefix(1);
    text.remove_prefix(DigitRun(text));
  }
  if (!text.empty() && (text[0] == 'E' || text[0] == 'e')) {
    text.remove_prefix(1);
    if (!text.empty() && (text[0] == '-' || text[0] == '+')) text.remove_prefix(1);
    const size_t exponentDigits = DigitRun(text);
    if (exponentDigits == 0) return false;
    text.remove_prefix(exponentDigits);
  }
  return text.empty();
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
  text = SkipBlanks(text);
  if (text.empty()) return 0;
  const bool negative = TakeSign(text);
  if (text.empty() || !IsRealText(text)) return 0;
  // The checked text has no sign, and no "inf", "nan" or hexadecimal form,
  // which from_chars would take: what it reads is exactly the grammar's
  // number, correctly rounded whatever its length. It refuses a mantissa
  // without digits (".", "e5"), whose value is 0, and gives
  // result_out_of_range, leaving `value` alone, for a value beyond the
  // largest double or one that rounds to zero: both read as 0 like any
  // unreadable number. A result below the least normal double is no
  // failure: it comes back as the subnormal nearest to the text.
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  // Zero comes back unsigned, so "-0" never reaches the output as "-0".
  if (value == 0) return 0;
  return negative ? -value : value;
}
