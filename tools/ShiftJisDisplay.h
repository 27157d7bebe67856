// Conversion of Shift-JIS (code page 932) byte strings to UTF-8, for showing
// texts of a drawing on a terminal or in a picture. Display only: nothing
// converted here goes back to the host.
#pragma once

#include <string>
#include <string_view>

// Converts `sjis` to UTF-8. ASCII passes through, half-width katakana
// (0xA1..0xDF) become U+FF61..U+FF9F, and a two-byte character (lead byte as
// the transfer file defines it, then any trail byte) becomes its code page 932
// character. An unassigned pair, a lone lead byte at the end and the bytes
// 0xA0, 0xFE, 0xFF become U+FFFD. Never fails.
std::string SjisToUtf8(std::string_view sjis);
