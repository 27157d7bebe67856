// Helpers shared by the flip tests: building text records the way the reader
// leaves them, and comparing records byte for byte.
#pragma once

#include <array>
#include <cstring>
#include <string_view>

#include "transfer/JwwGaibu.h"

namespace flip_test {

// A "ch" text record as the reader would build it: zero-filled, the default
// font, text type 1; the text itself stored in the store's text arena.
inline TJwwEntText MakeText(std::string_view text, double width, double height, double spacing,
                            int32_t basePoint, double x, double y, double dx, double dy) {
  TJwwEntText record;
  std::memset(&record, 0, sizeof record);
  record.head.colour = 2;
  record.head.lineType = 1;
  record.textType = 1;
  record.basePoint = basePoint;
  record.width = width;
  record.height = height;
  record.spacing = spacing;
  record.x = x;
  record.y = y;
  record.dx = dx;
  record.dy = dy;
  record.fontName = JwwStoreShortStr(kJwwDefaultFontName);
  record.text = JwwStoreShortStr(text);
  return record;
}

using TextBytes = std::array<unsigned char, sizeof(TJwwEntText)>;

// Every byte of the record, padding included.
inline TextBytes BytesOf(const TJwwEntText& record) {
  TextBytes bytes;
  std::memcpy(bytes.data(), &record, sizeof record);
  return bytes;
}

}  // namespace flip_test
