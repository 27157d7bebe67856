// Counts results that differ from their reference in any bit (a NaN matches
// a NaN) and reports the first few.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstring>
#include <string>

namespace trig_test {

inline bool SameBits(double a, double b) {
  return std::memcmp(&a, &b, sizeof a) == 0 || (std::isnan(a) && std::isnan(b));
}

class TMismatches {
 public:
  // `call` names what was computed, such as "sin(0x1p+0)".
  void Check(double actual, double expected, const std::string& call) {
    if (SameBits(actual, expected)) return;
    if (++count_ <= kReported) {
      ADD_FAILURE() << call << " = " << std::hexfloat << actual << ", expected " << expected;
    }
  }
  int count() const { return count_; }

 private:
  static constexpr int kReported = 10;
  int count_ = 0;
};

// "name(a)" or "name(a, b)" with the arguments in hexadecimal.
inline std::string Call(const char* name, double a) {
  char text[80];
  std::snprintf(text, sizeof text, "%s(%a)", name, a);
  return text;
}
inline std::string Call(const char* name, double a, double b) {
  char text[120];
  std::snprintf(text, sizeof text, "%s(%a, %a)", name, a, b);
  return text;
}

}  // namespace trig_test
