// Conversions from the transfer file's and the settings file's number texts.
// Both work on the bytes in place: no copy, no allocation. A real's text is
// read by the standard library's std::from_chars, which rounds correctly on
// every platform.
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

// The grammar's number after its sign is digits, an optional "." with
// digits and an optional exponent ("E" or "e", an optional sign, at least
// one digit); a mantissa without any digit is well formed and reads 0.
// std::from_chars in its general format takes the C library's decimal form
// for strtod without a sign: a digit sequence, with a digit at least,
// optionally holding a ".", then the same exponent; and besides that a "-"
// sign, infinities, NaNs (but no hexadecimal form, which is its hex
// format's). So for a text that begins with a digit or ".", which shuts out
// those extras, "from_chars takes the whole text" is the grammar itself, but
// for the mantissa without digits (".", ".e5"), which it refuses and which
// reads 0 anyway; every text that begins otherwise reads 0 too, well formed
// ("e5") or not. from_chars rounds correctly whatever the length. It gives
// result_out_of_range, leaving `value` alone, for a value beyond the largest
// double or one that rounds to zero: both read as 0 like any unreadable
// number. A result below the least normal double is no failure: it comes
// back as the subnormal nearest to the text.
double TextToReal(std::string_view text) {
  text = SkipBlanks(text);
  const bool negative = TakeSign(text);
  if (text.empty() || (!IsDigit(text[0]) && text[0] != '.')) return 0;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  // Zero comes back unsigned, so "-0" never reaches the output as "-0".
  if (value == 0) return 0;
  return negative ? -value : value;
}
