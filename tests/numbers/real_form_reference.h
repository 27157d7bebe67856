// A slow, exact model of the real form for the tests: the double's full
// decimal expansion by big-integer arithmetic, rounded to 18 significant digits
// (nearest), then half-up to 15, then laid out. It shares no code with the
// production formatter and uses neither std::to_chars nor printf.
#pragma once

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

namespace real_form_reference {

// Unsigned big integer, base 1e9 limbs, least significant first.
using Limbs = std::vector<uint32_t>;
constexpr uint32_t kLimbBase = 1000000000;

inline Limbs Multiply(const Limbs& a, const Limbs& b) {
  Limbs product(a.size() + b.size(), 0);
  for (size_t i = 0; i < a.size(); ++i) {
    uint64_t carry = 0;
    for (size_t j = 0; j < b.size(); ++j) {
      // < 1e9 + 1e18 + 2e9: fits in 64 bits.
      const uint64_t sum = product[i + j] + uint64_t{a[i]} * b[j] + carry;
      product[i + j] = static_cast<uint32_t>(sum % kLimbBase);
      carry = sum / kLimbBase;
    }
    for (size_t k = i + b.size(); carry != 0; ++k) {
      const uint64_t sum = product[k] + carry;
      product[k] = static_cast<uint32_t>(sum % kLimbBase);
      carry = sum / kLimbBase;
    }
  }
  while (product.size() > 1 && product.back() == 0) product.pop_back();
  return product;
}

inline Limbs FromInteger(uint64_t value) {
  Limbs limbs;
  do {
    limbs.push_back(static_cast<uint32_t>(value % kLimbBase));
    value /= kLimbBase;
  } while (value != 0);
  return limbs;
}

// base^0 .. base^maxExponent.
inline std::vector<Limbs> PowerTable(uint32_t base, int maxExponent) {
  std::vector<Limbs> table{FromInteger(1)};
  for (int k = 1; k <= maxExponent; ++k) table.push_back(Multiply(table.back(), FromInteger(base)));
  return table;
}

// The powers that a double's exponent can call for, built once.
inline const Limbs& PowerOfTwo(int k) {
  static const std::vector<Limbs> table = PowerTable(2, 971);
  return table.at(k);
}
inline const Limbs& PowerOfFive(int k) {
  static const std::vector<Limbs> table = PowerTable(5, 1074);
  return table.at(k);
}

// Decimal digits of a big integer, all of them.
inline std::string DecimalText(const Limbs& n) {
  std::string text;
  for (size_t i = n.size(); i-- > 0;) {
    char limb[9];
    uint32_t value = n[i];
    for (int k = 8; k >= 0; --k, value /= 10) limb[k] = static_cast<char>('0' + value % 10);
    text.append(limb, 9);
  }
  const size_t firstNonZero = text.find_first_not_of('0');
  return firstNonZero == std::string::npos ? "0" : text.substr(firstNonZero);
}

// The exact value of a positive finite double as all its significant digits
// D and an exponent E with value = 0.D x 10^E.
inline void ExactDecimal(double magnitude, std::string& digits, int& exponent) {
  uint64_t bits;
  std::memcpy(&bits, &magnitude, sizeof bits);
  const int biased = static_cast<int>(bits >> 52) & 0x7FF;
  uint64_t mantissa = bits & ((uint64_t{1} << 52) - 1);
  int binaryExponent = -1074;
  if (biased != 0) {
    mantissa |= uint64_t{1} << 52;
    binaryExponent = biased - 1075;
  }
  // value = mantissa x 2^binaryExponent = (mantissa x 5^k) x 10^-k for k = -binaryExponent.
  Limbs n;
  int decimalShift = 0;
  if (binaryExponent >= 0) {
    n = Multiply(FromInteger(mantissa), PowerOfTwo(binaryExponent));
  } else {
    n = Multiply(FromInteger(mantissa), PowerOfFive(-binaryExponent));
    decimalShift = -binaryExponent;
  }
  digits = DecimalText(n);
  exponent = static_cast<int>(digits.size()) - decimalShift;
}

// Adds one unit in the last place of `digits` (all '0'..'9'); a carry out of
// the first digit gives "1" followed by zeros and raises the exponent.
inline void IncrementLastDigit(std::string& digits, int& exponent) {
  size_t i = digits.size();
  while (i > 0 && digits[i - 1] == '9') digits[--i] = '0';
  if (i > 0) {
    ++digits[i - 1];
  } else {
    digits.insert(digits.begin(), '1');
    digits.pop_back();
    ++exponent;
  }
}

// Significant digits and exponent of the real form: 18 digits rounded to
// nearest (ties to even; the tie rule there cannot change the 15-digit
// result), then half-up on the 16th digit, trailing zeros dropped.
inline void RealFormDigits(double magnitude, std::string& digits, int& exponent) {
  ExactDecimal(magnitude, digits, exponent);
  if (digits.size() > 18) {
    const std::string tail = digits.substr(18);
    digits.resize(18);
    const bool tailNonZeroAfterFirst = tail.find_first_not_of('0', 1) != std::string::npos;
    const bool above = tail[0] > '5' || (tail[0] == '5' && tailNonZeroAfterFirst);
    const bool tie = tail[0] == '5' && !tailNonZeroAfterFirst;
    if (above || (tie && (digits.back() - '0') % 2 == 1)) IncrementLastDigit(digits, exponent);
  }
  if (digits.size() > 15) {
    const bool up = digits[15] >= '5';
    digits.resize(15);
    if (up) IncrementLastDigit(digits, exponent);
  }
  while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
}

inline std::string RealForm(double value) {
  if (std::isnan(value)) return "NAN";
  if (value == 0) return "0";
  const std::string sign = std::signbit(value) ? "-" : "";
  if (std::isinf(value)) return sign + "INF";
  std::string digits;
  int e = 0;
  RealFormDigits(std::fabs(value), digits, e);
  const int n = static_cast<int>(digits.size());
  if (e > 15 || e < -3) {
    std::string text = sign + digits.substr(0, 1);
    if (n > 1) text.append(".").append(digits, 1);
    return text + "E" + (e - 1 < 0 ? "-" : "") + DecimalText(FromInteger(std::abs(e - 1)));
  }
  if (e <= 0) return sign + "0." + std::string(-e, '0') + digits;
  if (n <= e) return sign + digits + std::string(e - n, '0');
  return sign + digits.substr(0, e) + "." + digits.substr(e);
}

}  // namespace real_form_reference
