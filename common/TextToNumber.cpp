// Conversions from the transfer file's and the settings file's number texts.
// Both work on the bytes in place: no copy, no allocation. The digits are
// read by the standard library's std::from_chars, which rounds a real
// correctly on every platform.
#include "common/TextToNumber.h"

#include <array>
#include <charconv>
#include <cstdint>
#include <cstring>
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

// A number text from this length on is read through ReadShortened (see
// TextToReal); it is scanned once more, which costs little beside reading
// a megabyte.
constexpr size_t kLongNumberText = size_t{1} << 20;

// Significant digits that ReadShortened keeps. Every double and every point
// halfway between two neighbouring doubles is a decimal of at most 767
// significant digits.
constexpr size_t kKeptDigits = 800;

// Exponents are clamped to this magnitude: far beyond any double, and far
// below the int64_t limit, so that adding a text's length cannot overflow.
constexpr int64_t kFarExponent = int64_t{1} << 61;

// Past this decimal exponent E (value = 0.d1d2... x 10^E, d1 nonzero) the
// value exceeds the largest double (E = 401 means at least 10^400), and
// below its negative it rounds to zero (less than 10^-400).
constexpr int64_t kOutOfRangeExponent = 400;

// The number that `text` (a whole number of the grammar, no sign) stands
// for, read through a short text of the same value class: the first
// kKeptDigits significant digits, then a 1 when any nonzero digit follows
// them, as "0.DIGITS" with the exponent worked out exactly in 64-bit integer
// arithmetic. std::from_chars rounds the short text as it would round the
// long one: the short text agrees with the long one in its first 800
// significant digits, and when digits follow they are nonzero in both or in
// neither; so against any decimal of at most 767 significant digits (every
// double and every halfway point between two), both compare alike: the same
// side of it, or both equal to it. The library itself reads an exponent only
// up to about 2.7 x 10^9; this keeps the true value of any text however long
// and whatever its exponent (up to 2^61, which no text in memory can take
// back). Gives 0 for zero or a value out of range, as TextToReal does.
double ReadShortened(std::string_view text) {
  const size_t e = text.find_last_of("eE");  // near the end, if anywhere
  const std::string_view mantissa = text.substr(0, e);
  int64_t exponent = 0;
  if (e != std::string_view::npos) {
    std::string_view digits = text.substr(e + 1);
    const bool negative = TakeSign(digits);
    const auto [end, error] =
        std::from_chars(digits.data(), digits.data() + digits.size(), exponent);
    if (error == std::errc::result_out_of_range || exponent > kFarExponent) exponent = kFarExponent;
    if (negative) exponent = -exponent;
  }
  const size_t point = mantissa.find('.');
  const size_t integerDigits = point == std::string_view::npos ? mantissa.size() : point;
  // The first significant digit, and how many digits come before it.
  size_t first = 0;
  int64_t leadingZeros = 0;
  for (; first < mantissa.size() && (mantissa[first] == '0' || mantissa[first] == '.'); ++first) {
    if (mantissa[first] == '0') ++leadingZeros;
  }
  if (first == mantissa.size()) return 0;
  const int64_t decimalExponent =
      exponent + static_cast<int64_t>(integerDigits) - leadingZeros;
  if (decimalExponent > kOutOfRangeExponent || decimalExponent < -kOutOfRangeExponent) return 0;

  char shortText[kKeptDigits + 32] = {'0', '.'};
  size_t length = 2;
  size_t at = first;
  for (; at < mantissa.size() && length < 2 + kKeptDigits; ++at) {
    if (mantissa[at] != '.') shortText[length++] = mantissa[at];
  }
  for (; at < mantissa.size(); ++at) {
    if (mantissa[at] != '0' && mantissa[at] != '.') {
      shortText[length++] = '1';
      break;
    }
  }
  shortText[length++] = 'e';
  length = static_cast<size_t>(
      std::to_chars(shortText + length, shortText + sizeof shortText, decimalExponent).ptr -
      shortText);
  double value = 0;
  const auto [end, error] = std::from_chars(shortText, shortText + length, value);
  return error == std::errc() ? value : 0;
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
//
// The library reads an exponent exactly only up to about 2.7 x 10^9 (it
// stops growing it past 2^28), so only a text of more than 2.7 GB, whose
// digits take back such an exponent, could read wrong. A text under 1 MiB
// cannot: when its value is within a double's range its exponent is under
// 400 + 2^20 in magnitude; when it is not, the library's exponent, exact or
// stopped past 2^28, still puts the value out of range, and it reads 0. A
// text of 1 MiB or more takes the slower exact route, ReadShortened.
//
// Takes an unsigned text (no blank, no sign) and gives its magnitude, or 0
// for what does not read.
double ReadMagnitude(std::string_view text) {
  if (text.empty() || (!IsDigit(text[0]) && text[0] != '.')) return 0;
  double value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (end != text.data() + text.size()) return 0;
  if (text.size() >= kLongNumberText) return ReadShortened(text);
  return error == std::errc() ? value : 0;
}

// Two words that, with its size, tell a text of at most 16 bytes from any
// other of that size: for 8 bytes or more its first and its last eight (which
// overlap below 16), for 4 to 7 its first and its last four, for 1 to 3 its
// first, middle and last byte. Fixed-size loads only, within the text.
std::array<uint64_t, 2> NumberKey(const char* text, size_t size) {
  uint64_t first = 0;
  uint64_t last = 0;
  if (size >= 8) {
    std::memcpy(&first, text, 8);
    std::memcpy(&last, text + size - 8, 8);
  } else if (size >= 4) {
    uint32_t head;
    uint32_t tail;
    std::memcpy(&head, text, 4);
    std::memcpy(&tail, text + size - 4, 4);
    first = head;
    last = tail;
  } else if (size > 0) {
    const auto byte = [&](size_t i) { return uint64_t{static_cast<unsigned char>(text[i])}; };
    first = byte(0) | byte(size / 2) << 8 | byte(size - 1) << 16;
  }
  return {first, last};
}

// The slot of a key in `recent`: the top bits of a multiplicative hash.
TRecentNumbers::TSlot& RecentSlot(TRecentNumbers& recent, const std::array<uint64_t, 2>& key,
                                  size_t size) {
  constexpr uint64_t kGoldenRatio = 0x9E3779B97F4A7C15;
  const uint64_t mixed = (key[0] ^ (key[1] * kGoldenRatio) ^ size) * kGoldenRatio;
  return recent.slots[mixed >> (64 - TRecentNumbers::kSlotBits)];
}

// TextToReal's answer for a magnitude and whether a "-" came before it.
double Signed(double magnitude, bool negative) {
  // Zero comes back unsigned, so "-0" never reaches the output as "-0".
  if (magnitude == 0) return 0;
  return negative ? -magnitude : magnitude;
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

double TextToReal(std::string_view text) {
  text = SkipBlanks(text);
  const bool negative = TakeSign(text);
  return Signed(ReadMagnitude(text), negative);
}

double TextToReal(std::string_view text, TRecentNumbers& recent) {
  text = SkipBlanks(text);
  const bool negative = TakeSign(text);
  if (text.size() > TRecentNumbers::kTextMax) return Signed(ReadMagnitude(text), negative);
  const std::array<uint64_t, 2> key = NumberKey(text.data(), text.size());
  TRecentNumbers::TSlot& slot = RecentSlot(recent, key, text.size());
  if (slot.first != key[0] || slot.last != key[1] || slot.size != text.size()) {
    slot = {key[0], key[1], text.size(), ReadMagnitude(text)};
  }
  return Signed(slot.magnitude, negative);
}
