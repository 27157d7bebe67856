// Shift-JIS to UTF-8 for display.
#include <gtest/gtest.h>

#include <string>

#include "ShiftJisDisplay.h"

namespace {

struct Case {
  const char* name;
  std::string sjis;
  std::string utf8;
};

TEST(ShiftJisDisplay, ConvertsEachKindOfCharacter) {
  const Case cases[] = {
      {"ASCII, backslash and tilde stay ASCII", "A\\~z 1", "A\\~z 1"},
      {"hiragana", "\x82\xA0", "あ"},
      {"kanji of both lead-byte ranges", "\x8A\xBF\x8E\x9A\xE0\x40\xEA\xA4", "漢字漾熙"},
      {"full-width blank", "\x81\x40", "\u3000"},
      {"font name", "<\x82\x6C\x82\x72 \x83\x53\x83\x56\x83\x62\x83\x4E>", "<ＭＳ ゴシック>"},
      {"half-width katakana", "\xB1\xDD\xA1\xDF", "ｱﾝ｡ﾟ"},
      {"circled digit of code page 932", "\x87\x40", "①"},
      {"trail byte that is a quote stays in its pair", "\x83\x22", "\uFFFD"},
      {"unassigned pair", "\x85\x40", "\uFFFD"},
      {"lone lead byte at the end", "A\x82", "A\uFFFD"},
      {"bytes that are no character", "\xA0\xFE\xFF", "\uFFFD\uFFFD\uFFFD"},
      {"lead byte 0x80 takes the next byte along",
       "\x80"
       "AB",
       "\uFFFD"
       "B"},
      {"empty", "", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(SjisToUtf8(c.sjis), c.utf8) << c.name;
}

TEST(ShiftJisDisplay, EveryJisX0208RowIsMapped) {
  // One character from the first and last column of each kanji row must be
  // known; a table cut short or shifted would miss some.
  for (int lead = 0x88; lead <= 0x9F; ++lead) {
    std::string first{static_cast<char>(lead), lead == 0x88 ? '\x9F' : '\x40'};
    EXPECT_EQ(SjisToUtf8(first).find("\uFFFD"), std::string::npos) << std::hex << lead;
    std::string last{static_cast<char>(lead), '\xFC'};
    EXPECT_EQ(SjisToUtf8(last).find("\uFFFD"), std::string::npos) << std::hex << lead;
  }
}

}  // namespace
