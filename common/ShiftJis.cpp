// Byte-level Shift-JIS helpers. Every function walks a string from its first
// byte and takes a lead byte together with the byte after it.
#include "common/ShiftJis.h"

size_t CharBoundaryLength(std::string_view s, size_t limit) {
  if (s.size() <= limit) return s.size();
  size_t i = 0;
  while (i < limit) {
    size_t step = IsLeadByte(static_cast<unsigned char>(s[i])) ? 2 : 1;
    if (i + step > limit) break;
    i += step;
  }
  return i;
}

std::string_view StripBlanks(std::string_view s, char* buffer) {
  size_t n = 0;
  for (size_t i = 0; i < s.size();) {
    unsigned char b = static_cast<unsigned char>(s[i]);
    if (IsLeadByte(b)) {
      if (i + 1 >= s.size()) {
        buffer[n++] = s[i];  // a lone lead byte at the end still counts
        break;
      }
      if (!(b == 0x81 && static_cast<unsigned char>(s[i + 1]) == 0x40)) {
        buffer[n++] = s[i];
        buffer[n++] = s[i + 1];
      }
      i += 2;
    } else {
      if (b > 0x20) buffer[n++] = s[i];
      i += 1;
    }
  }
  return {buffer, n};
}

double TextWidth(std::string_view text, double charWidth, double spacing) {
  double total = 0;
  size_t i = 0;
  while (i < text.size()) {
    unsigned char b = static_cast<unsigned char>(text[i]);
    if (IsLeadByte(b)) {
      total += charWidth;
      i += 2;
      if (i < text.size()) total += spacing;
    } else {
      if (b >= 0x20) total += charWidth * 0.5;
      i += 1;
      if (i < text.size()) total += spacing * 0.5;
    }
  }
  return total;
}
