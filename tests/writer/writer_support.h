// Helpers shared by the writer tests: a fresh store and writer state, and the
// output lines as strings.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "transfer/JwwGaibu.h"
// The writer's own parts, which its tests reach beside its public header.
#include "transfer/write/JwwEntityCommands.h"
#include "transfer/write/JwwEntityWriters.h"

using Lines = std::vector<std::string>;

// An empty store just read, with the writer reset: every attribute pending.
inline void FreshWriter() {
  JwwInit();
  ResetWriterState();
}

inline Lines OutputLines() {
  Lines lines;
  TJwwOutputLineCursor cursor;
  std::string_view line;
  while (cursor.Next(line)) lines.emplace_back(line);
  return lines;
}

// The output lines added by `act` alone.
template <class F>
Lines LinesOf(F act) {
  const size_t before = OutputLines().size();
  act();
  const Lines all = OutputLines();
  return Lines(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
}

// "<ＭＳ ゴシック>" in Shift-JIS, and its font line.
inline const std::string kDefaultFont(kJwwDefaultFontName);
inline const std::string kDefaultFontLine = "cn\"$" + kDefaultFont;

// --- Building store records ---------------------------------------------------

inline TJwwEntHead Head(int32_t group, int32_t layer, int32_t colour, int32_t lineType = 1,
                        int32_t lineWidth = 0, int32_t zFlags = 0) {
  return {0, group, layer, colour, lineType, lineWidth, zFlags};
}

// Appends `record` to its kind's array and to the entity order; returns its
// index.
template <class T>
int32_t AddRecord(TJwwBlockList<T>& list, int32_t kind, const T& record) {
  int32_t index = list.Count();
  JwwAddRef(kind, index);
  list.Append() = record;
  return index;
}

inline TJwwEntText MakeText(const TJwwEntHead& head, int32_t textKind, std::string_view text,
                            double x, double y, double dx = 1, double dy = 0) {
  TJwwEntText t{};
  t.head = head;
  t.textKind = textKind;
  t.textType = 1;
  t.width = t.height = 3;
  t.x = x;
  t.y = y;
  t.dx = dx;
  t.dy = dy;
  t.fontName = JwwStoreShortStr(kJwwDefaultFontName);
  t.text = JwwStoreShortStr(text);
  return t;
}
