// The number forms as std::string, written into a buffer of exactly the size
// the forms promise, so that an overrun shows under AddressSanitizer.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "transfer/write/JwwNumberForms.h"

template <typename Value>
std::string Formatted(char* (*format)(char*, Value), Value value) {
  auto buffer = std::make_unique<char[]>(kJwwNumberMax);
  const char* end = format(buffer.get(), value);
  const auto length = end - buffer.get();
  EXPECT_GT(length, 0);
  EXPECT_LE(length, kJwwNumberMax);
  return std::string(buffer.get(), static_cast<size_t>(length));
}

inline std::string IntText(int32_t value) {
  return Formatted(FormatInt, value);
}
inline std::string HexText(int32_t value) {
  return Formatted(FormatHex, value);
}
inline std::string RealText(double value) {
  return Formatted(FormatReal, value);
}
