// Conversions from the transfer file's and the settings file's number texts,
// in which empty or invalid text gives 0.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

// Reads a whole 32-bit integer: leading blanks (0x20), an optional sign, then
// decimal digits or a hexadecimal number introduced by "$", "x", "X", "0x" or
// "0X". Empty text, any other byte, a missing digit or a value outside the
// 32-bit range gives 0.
int32_t TextToInt(std::string_view text);

// Reads a whole real: leading blanks, an optional sign (then at least one more
// byte), digits, an optional "." with digits, an optional exponent "E"/"e"
// with an optional sign and at least one digit. The result is the double
// nearest to the decimal value. Empty or malformed text, and a value too large
// for a double, give 0; so no infinity or NaN ever comes from text.
double TextToReal(std::string_view text);

// The number texts a reader read lately, found again by their bytes: a
// drawing repeats many (a line ends where the next begins, a grid's
// coordinates recur, a text's direction is "1 0"), and comparing a text
// costs a fraction of reading it. A value found is the one that the same
// bytes gave before, so it cannot differ from a fresh reading. Texts of up
// to kTextMax bytes (after the blanks and the sign) are kept, nearly every
// number a drawing has. The reader that owns one uses it on one thread at a
// time; it is no thread_local, whose every use costs a call in the Windows
// build.
struct TRecentNumbers {
  static constexpr size_t kTextMax = 16;
  static constexpr int kSlotBits = 8;
  struct TSlot {
    uint64_t first;  // the text's key; all 0 with size 0 is the empty
    uint64_t last;   // text, which reads 0: an unused slot is right too
    uint64_t size;
    double magnitude;
  };
  std::array<TSlot, size_t{1} << kSlotBits> slots{};
};

// TextToReal(text), through `recent`.
double TextToReal(std::string_view text, TRecentNumbers& recent);
