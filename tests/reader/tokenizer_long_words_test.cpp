// Words longer than a few bytes are scanned several bytes at a time: every
// kind of byte that ends, joins or changes a word must count the same at any
// offset within a long word.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "transfer/read/JwwTokenizer.h"

namespace {

using Tokens = std::vector<std::string>;

Tokens Split(const std::string& line) {
  static TJwwTokenList tokens;
  JwwSplitLine(line, tokens);
  Tokens out;
  for (int i = 0; i < tokens.count; ++i) out.emplace_back(tokens[i]);
  return out;
}

// A word of `length` plain bytes that differ from position to position.
std::string PlainWord(size_t length) {
  std::string word;
  for (size_t i = 0; i < length; ++i) word += static_cast<char>('A' + i % 26);
  return word;
}

TEST(Tokenizer, SpecialBytesCountTheSameAtEveryOffsetOfALongWord) {
  // What a word with `bytes` put in at offset k becomes, given its plain
  // parts before (head) and after (tail).
  const struct {
    const char* name;
    std::string bytes;
    Tokens (*expected)(const std::string& head, const std::string& tail);
  } kinds[] = {
      {"blank separates", " ",
       [](const std::string& h, const std::string& t) {
         return Tokens{"ci", h, t, "5"};
       }},
      {"tab separates", "\t",
       [](const std::string& h, const std::string& t) {
         return Tokens{"ci", h, t, "5"};
       }},
      {"quote joins the rest", "\"",
       [](const std::string& h, const std::string& t) {
         return Tokens{"ci", h + t + " 5"};
       }},
      {"equals is kept and joins the rest", "=",
       [](const std::string& h, const std::string& t) {
         return Tokens{"ci", h + "=" + t + " 5"};
       }},
      {"control byte is dropped", "\x01",
       [](const std::string& h, const std::string& t) {
         return Tokens{"ci", h + t, "5"};
       }},
      {"FF is dropped", "\xFF",
       [](const std::string& h, const std::string& t) {
         return Tokens{"ci", h + t, "5"};
       }},
      {"one-byte katakana is kept", "\xB1",
       [](const std::string& h, const std::string& t) {
         return Tokens{"ci", h + "\xB1" + t, "5"};
       }},
      {"two-byte character keeps its blank trail byte", "\x82 ",
       [](const std::string& h, const std::string& t) {
         return Tokens{"ci", h + "\x82 " + t, "5"};
       }},
  };
  for (const auto& kind : kinds) {
    for (size_t length = 1; length <= 20; ++length) {
      const std::string word = PlainWord(length);
      for (size_t k = 1; k < length; ++k) {
        const std::string head = word.substr(0, k), tail = word.substr(k);
        EXPECT_EQ(Split("ci " + head + kind.bytes + tail + " 5"), kind.expected(head, tail))
            << kind.name << ", word of " << length << " bytes, offset " << k;
      }
    }
  }
}

TEST(Tokenizer, LongPlainWordsStayWhole) {
  for (size_t length = 1; length <= 40; ++length) {
    const std::string word = PlainWord(length);
    EXPECT_EQ(Split(word), (Tokens{word})) << length;
    EXPECT_EQ(Split(word + " " + word), (Tokens{word, word})) << length;
    EXPECT_EQ(Split(word + " "), (Tokens{word, ""})) << length;
  }
}

}  // namespace
