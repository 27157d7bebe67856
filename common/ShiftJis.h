// Shift-JIS byte strings: the one test of a two-byte character, and the
// helpers that walk a string from its first byte with it.
#pragma once

#include <cstddef>
#include <string_view>

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
