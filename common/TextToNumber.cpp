// Conversions from the transfer file's and the settings file's number texts.
// Both work on the bytes in place: no copy, no allocation. The digits are
// read by the standard library's std::from_chars, which rounds a real
// correctly on every platform.
#include "common/TextToNumber.h"

#include <charconv>
#include <cstdint>
#include <string_view>
#include <system_error>

namespace {

constexpr bool IsDigit(char c) {
  return c >= '0' && c <= '9';
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
  const bool negative = TakeSign(text);
  const int base = TakeHexPrefix(text) ? 16 : 10;
  // The rest must be digits of the base, and at least one: std::from_chars
  // of an unsigned type takes nothing else (no sign, no prefix, no blank)
  // and fails a value beyond 64 bits.
  uint64_t magnitude = 0;
  const auto [end, error] =
      std::from_chars(text.data(), text.data() + text.size(), magnitude, base);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  // The magnitude may reach 2^31 only for a negative number.
  const uint64_t limit = negative ? uint64_t{1} << 31 : (uint64_t{1} << 31) - 1;
  if (magnitude > limit) return 0;
  const int64_t value = static_cast<int64_t>(magnitude);
  return static_cast<int32_t>(negative ? -value : value);
}

// After its sign, the grammar's number is digits, an optional "." with
// digits and an optional exponent ("E" or "e", an optional sign, a digit at
// least); a mantissa without digits is well formed and reads 0.
// std::from_chars (general format) takes the same form, except that it
// refuses a mantissa without digits, and besides it a "-" sign, infinities
// and NaNs. Those extras begin with another byte than a digit or ".", and a
// text of the grammar that begins so ("e5") reads 0. So "it begins with a
// digit or '.' and from_chars takes it whole" tells the numbers apart, and
// from_chars reads them correctly rounded whatever their length. A value
// beyond the largest double, or one that rounds to zero, gives
// result_out_of_range (the value left alone) and reads 0 like any unreadable
// number; a subnormal result is no failure.
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
