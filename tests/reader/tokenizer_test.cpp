// Splitting a line into tokens: separators, the quote and "=" switches, the
// two-byte rule, dropped bytes and the 32-token limit.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "transfer/read/JwwTokenizer.h"

namespace {

std::vector<std::string> Split(std::string_view line) {
  static TJwwTokenList tokens;
  JwwSplitLine(line, tokens);
  std::vector<std::string> out;
  for (int i = 0; i < tokens.count; ++i) out.emplace_back(tokens[i]);
  return out;
}

using Tokens = std::vector<std::string>;

TEST(Tokenizer, SplitsAsTheGrammarSays) {
  const struct {
    const char* name;
    std::string line;
    Tokens tokens;
  } cases[] = {
      {"empty line", "", {""}},
      {"blanks and tabs only", "  \t ", {""}},
      {"runs of blanks count once", "  ci\t 0  0 5", {"ci", "0", "0", "5"}},
      {"trailing blank adds an empty token", "ci 0 0 5 ", {"ci", "0", "0", "5", ""}},
      {"quote keeps the rest whole", "ch 10 20 1 0 \"A B", {"ch", "10", "20", "1", "0", "A B"}},
      {"closing quote and blanks kept, tab dropped", "x \"A\t B\" ", {"x", "A B\" "}},
      {"quote at line start", "\"abc def", {"abc def"}},
      {"quote inside a word joins the rest", "ab\"c d", {"abc d"}},
      {"equals is kept and stops splitting",
       "file=C:\\My Drawings\\a.jww",
       {"file=C:\\My Drawings\\a.jww"}},
      {"equals alone", "= x", {"= x"}},
      {"lead byte takes a blank as its trail", "\x82 x y", {"\x82 x", "y"}},
      {"lead byte takes a quote as its trail", "a\x82\"b c", {"a\x82\"b", "c"}},
      {"lead byte takes a tab after splitting ends", "\"\x82\tz", {"\x82\tz"}},
      {"lone lead byte at the end is dropped", "ab \x82", {"ab", ""}},
      {"lone lead byte after quote is dropped", "x \"ab\x82", {"x", "ab"}},
      {"one-byte katakana and 0x7F are kept", "\xB1\x7F \xDF", {"\xB1\x7F", "\xDF"}},
      {"control bytes, FE, FF dropped inside a word",
       "a\x01"
       "b\xFE\xFF"
       "c d",
       {"abc", "d"}},
      {"dropped bytes between tokens", "a \x01\x1F b", {"a", "b"}},
      {"dropped byte after quote",
       "x \"a\x02"
       "b",
       {"x", "ab"}},
  };
  for (const auto& c : cases) EXPECT_EQ(Split(c.line), c.tokens) << c.name;
}

TEST(Tokenizer, KeepsTheFirst32TokensAndDropsTheRest) {
  std::string line;
  Tokens first32;
  for (int i = 0; i < 40; ++i) {
    line += std::to_string(i) + " ";
    if (i < 32) first32.push_back(std::to_string(i));
  }
  EXPECT_EQ(Split(line), first32);
  // The copying path (a dropped byte inside the first word) obeys the same limit.
  EXPECT_EQ(Split("0\x01" + line.substr(1) + "\"x y"), first32);
  // 32 tokens and a trailing blank: still 32.
  line.clear();
  for (int i = 0; i < 32; ++i) line += std::to_string(i) + " ";
  EXPECT_EQ(Split(line), first32);
}

TEST(Tokenizer, LongLinesAndAlternatingPathsKeepTheirBytes) {
  std::string longWord;
  for (int i = 0; i < 5000; ++i) longWord += "a\x01";  // forces a copy larger than any before
  EXPECT_EQ(Split("w " + longWord), (Tokens{"w", std::string(5000, 'a')}));
  EXPECT_EQ(Split("1 2 3 4"), (Tokens{"1", "2", "3", "4"}));
  EXPECT_EQ(Split("x\x01y z"), (Tokens{"xy", "z"}));
}

TEST(Tokenizer, TokensBeyondTheCountReadAsEmpty) {
  TJwwTokenList tokens;
  JwwSplitLine("ci 1", tokens);
  EXPECT_EQ(tokens.count, 2);
  EXPECT_EQ(tokens[2], "");
  EXPECT_EQ(tokens[31], "");
  EXPECT_EQ(tokens[-1], "");
}

}  // namespace
