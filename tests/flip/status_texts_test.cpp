// The status line holds one line: every text of it, at its widest numbers,
// fits the label's 475 pixels.
#include <gtest/gtest.h>

#include <climits>
#include <string>
#include <string_view>

#include "flip/StatusTexts.h"

namespace {

// Width in pixels of a UTF-8 text in the label's 13-pixel font, at most: 14
// for a full-width character (every character of the status texts beyond
// ASCII is one; 13 in ＭＳ ゴシック, 14 in the IPA gothic under Wine), 7 for
// an ASCII one.
int Pixels(std::string_view utf8) {
  int pixels = 0;
  for (unsigned char byte : utf8) {
    if (byte < 0x80) {
      pixels += 7;
    } else if (byte >= 0xC0) {
      pixels += 14;  // the first byte of a character; the bytes after it add nothing
    }
  }
  return pixels;
}

TEST(StatusTexts, EveryTextFitsTheLabelOnOneLine) {
  constexpr int kLabelWidth = 475;
  const std::string texts[] = {
      TextCountStatus(INT_MAX),
      FlipProgressStatus(INT_MAX, INT_MAX),
      PassProgressStatus(INT_MAX, INT_MAX),
      std::string(kStatusWritingFile),
      std::string(kStatusNoTransferFile),
      std::string(kStatusNotReadToEnd),
      std::string(kStatusInUse),
      std::string(kStatusNotOpened),
  };
  for (const std::string& text : texts) {
    EXPECT_LE(Pixels(text), kLabelWidth) << text;
  }
  EXPECT_EQ(Pixels("文字：1"), 3 * 14 + 7);
}

}  // namespace
