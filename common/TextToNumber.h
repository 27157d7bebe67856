// Conversions from the transfer file's and the settings file's number texts,
// in which empty or invalid text gives 0.
#pragma once

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
