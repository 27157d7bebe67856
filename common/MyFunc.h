// Conversions, Shift-JIS text helpers and plane geometry shared by the
// transfer-file library and the base-point flip. Pure functions, no state.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

// --- Conversions from text -------------------------------------------------

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

// --- Shift-JIS byte strings ------------------------------------------------

// A byte 0x80..0x9F or 0xE0..0xFD starts a two-byte character; the byte after
// it is its trail byte whatever its value.
constexpr bool IsLeadByte(unsigned char b) {
  return (b >= 0x80 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFD);
}

// The longest length of at most `limit` bytes that does not split a two-byte
// character of `s` (characters counted from its first byte).
size_t CharBoundaryLength(std::string_view s, size_t limit);

// Copies `s` into `buffer` (at least s.size() bytes) without ASCII blanks,
// control bytes and full-width blanks (0x81 0x40), and returns the copy. The
// writers use it only to ask whether a text is blank.
std::string_view StripBlanks(std::string_view s, char* buffer);

// Width of a text along its baseline: a two-byte character fills one cell of
// `charWidth` and is followed by `spacing`; a one-byte character fills half a
// cell (a control byte nothing) and is followed by half the spacing; no gap
// follows the last character.
double TextWidth(std::string_view text, double charWidth, double spacing);

// --- Geometry ----------------------------------------------------------------

double PointDistance(double x1, double y1, double x2, double y2);

// Direction angle of (dx, dy) in radians, in [0, 2*pi]; 0 when both
// components are below 1e-10 in magnitude.
double VectorAngle(double dx, double dy);

// Turns (x, y) counter-clockwise about (cx, cy) by `angle` radians.
void RotatePoint(double x, double y, double cx, double cy, double angle, double& outX,
                 double& outY);
