// Entity records: texts and line-and-text units, polyline numbers, solids
// with coinciding corners, block insertions.
#include <gtest/gtest.h>

#include <string>

#include "tests/reader/reader_support.h"

namespace {

TEST(Texts, RecordTakesTheLineAndTheCurrentTextAttributes) {
  ReadLines({"lg0", "ly1", "cc7", "ch 100 50 1 0 \"ABC DEF"});
  ASSERT_EQ(jwwTexts.Count(), 1);
  const TJwwEntText& t = jwwTexts[0];
  EXPECT_EQ(t.head.layer, 1);
  EXPECT_EQ(t.head.colour, 2);  // the colour of text type 1
  EXPECT_EQ(t.textKind, 0);
  EXPECT_EQ(t.basePoint, 7);
  EXPECT_EQ(t.textType, 1);
  EXPECT_EQ(t.width, 3.0);
  EXPECT_EQ(t.x, 100);
  EXPECT_EQ(t.y, 50);
  EXPECT_EQ(t.dx, 1);
  EXPECT_EQ(t.dy, 0);
  EXPECT_EQ(t.fontName.View(), kJwwDefaultFontName);
  EXPECT_EQ(t.text.View(), "ABC DEF");
}

TEST(Texts, KeywordGivesTheTextKind) {
  const char* keywords[] = {"ch", "cv", "cs", "cr", "co", "cp", "ct", "ck", "cz", "c2"};
  for (int kind = 0; kind < 10; ++kind) {
    ReadLines({std::string(keywords[kind]) + " 1 2 3 4 word rest"});
    ASSERT_EQ(jwwTexts.Count(), 1) << keywords[kind];
    EXPECT_EQ(jwwTexts[0].textKind, kind);
    EXPECT_EQ(jwwTexts[0].text.View(), "word");  // without a quote only the first word
  }
}

TEST(Texts, SizeComesFromTheTextTypeOrTheFreeSize) {
  const struct {
    const char* typeLine;
    double width;
    int32_t colour;
  } cases[] = {
      {"cn3", 30, 7}, {"cn10", 10, 10}, {"cn0 4 5 6 9", 4, 9}, {"cn11", 2.0, 1}, {"cn-1", 2.0, 1}};
  for (const auto& c : cases) {
    ReadLines({"hcw 1 2 30 4 5 6 7 8 9 10", "hcc 1 2 7 4 5 6 7 8 9 10", c.typeLine, "ch 0 0 1 0 x",
               "hcw 1 2 99 4 5 6 7 8 9 10"});
    EXPECT_EQ(jwwTexts[0].width, c.width) << c.typeLine;  // later header lines change nothing
    EXPECT_EQ(jwwTexts[0].head.colour, c.colour) << c.typeLine;
  }
}

TEST(Texts, LongTextAndFontNameAreCutAtACharacterBoundary) {
  const std::string twoByte = "\x82\xA0";
  ReadLines({"cn$" + std::string(300, 'f'), "ch 0 0 1 0 \"" + std::string(300, 'a'),
             "ch 0 0 1 0 \"" + std::string(254, 'a') + twoByte + "b"});
  EXPECT_EQ(jwwTexts[0].fontName.View(), std::string(255, 'f'));
  EXPECT_EQ(jwwTexts[0].text.View(), std::string(255, 'a'));
  EXPECT_EQ(jwwTexts[1].text.View(), std::string(254, 'a'));  // no lone lead byte
}

TEST(LineTextUnits, MsgLineAndCsMakeOneUnit) {
  ReadLines({"lc3", "msg", "1 2 3 4", "lc5", "cs 10 20 1 0 \"note"});
  EXPECT_EQ(KindCounts(), "unit:1");
  ASSERT_EQ(entityOrder.Count(), 1);
  EXPECT_EQ(entityOrder[0].kind, jekLineText);
  const TJwwEntLineText& u = jwwLineTexts[0];
  EXPECT_EQ(u.head.colour, 5);
  EXPECT_EQ(u.line.head.colour, 3);  // as it was when the line was read
  EXPECT_EQ(u.line.polylineNo, 0);
  EXPECT_EQ(u.line.x2, 3);
  EXPECT_EQ(u.text.textKind, 2);
  EXPECT_EQ(u.text.x, 10);
  EXPECT_EQ(u.text.text.View(), "note");
  EXPECT_FALSE(lineTextPending);
}

TEST(LineTextUnits, WhatBecomesOfThePendingLine) {
  const struct {
    std::initializer_list<std::string_view> lines;
    const char* counts;
  } cases[] = {
      {{"msg", "1 2 3 4", "ch 0 0 1 0 x"}, "text:1"},  // the pending line is lost
      {{"msg", "1 2 3 4", "#", "cs 0 0 1 0 x"}, "text:1"},
      {{"msg", "1 2 3 4", "pl", "5 6 7 8"}, "line:1"},
      {{"msg", "1 2 3 4", "ci 0 0 1", "cs 0 0 1 0 x"}, "circle:1 text:1"},
      {{"msg", "1 2 3 4", "lg1", "cs 0 0 1 0 x"}, "unit:1"},  // attributes keep it pending
      {{"msg", "cs 0 0 1 0 x", "cs 0 0 1 0 y"}, "text:1 unit:1"},
  };
  for (const auto& c : cases) {
    ReadLines(c.lines);
    EXPECT_EQ(KindCounts(), c.counts) << *c.lines.begin() << " ... " << *(c.lines.end() - 1);
  }
  ReadLines({"msg", "1 2 3 4", "5 6 7 8", "cs 0 0 1 0 x"});
  EXPECT_EQ(jwwLineTexts[0].line.x1, 5);  // a later plain line replaces the pending one
  ReadLines({"msg", "cs 0 0 1 0 x"});
  EXPECT_EQ(jwwLineTexts[0].line.x2, 1.0);  // the default pending line
}

TEST(Polylines, RunNumberUntilTheRunEnds) {
  const struct {
    std::initializer_list<std::string_view> lines;
    int32_t lastPolylineNo;
  } cases[] = {
      {{"pl", "1 2 3 4", "1 2 3 4"}, 1},  {{"pl", "1 2 3 4", "#", "1 2 3 4"}, 0},
      {{"pl", "#", "pl", "1 2 3 4"}, 2},  {{"pl", "lc2", "1 2 3 4"}, 0},
      {{"pl", "pn2", "1 2 3 4"}, 0},      {{"pl", "msg", "#", "1 2 3 4"}, 0},
      {{"pl", "ci 0 0 1", "1 2 3 4"}, 0}, {{"pl", "z1", "hhp2", "lgnX", "bz", "1 2 3 4"}, 1},
  };
  for (const auto& c : cases) {
    ReadLines(c.lines);
    ASSERT_GT(jwwLines.Count(), 0);
    EXPECT_EQ(jwwLines[jwwLines.Count() - 1].polylineNo, c.lastPolylineNo)
        << *(c.lines.begin() + 1);
  }
}

struct TSolidCase {
  const char* name;
  const char* line;
  int32_t kind;
  double corners[8];  // x1, y1, x2, y2, ... of the record
};

void ExpectSolid(const TSolidCase& c) {
  ReadLines({"lc10 7", c.line});
  ASSERT_EQ(entityOrder.Count(), 1) << c.name;
  ASSERT_EQ(entityOrder[0].kind, c.kind) << c.name;
  double got[8] = {};
  int32_t solidColour = 0;
  if (c.kind == jekSolid2) {
    const TJwwEntSolid2& s = jwwSolid2s[0];
    double v[] = {s.x1, s.y1, s.x2, s.y2};
    std::copy(v, v + 4, got);
    solidColour = s.solidColour;
  } else if (c.kind == jekSolid3) {
    const TJwwEntSolid3& s = jwwSolid3s[0];
    double v[] = {s.x1, s.y1, s.x2, s.y2, s.x3, s.y3};
    std::copy(v, v + 6, got);
    solidColour = s.solidColour;
  } else {
    const TJwwEntSolid4& s = jwwSolid4s[0];
    double v[] = {s.x1, s.y1, s.x2, s.y2, s.x3, s.y3, s.x4, s.y4};
    std::copy(v, v + 8, got);
    solidColour = s.solidColour;
  }
  for (int i = 0; i < 8; ++i) EXPECT_EQ(got[i], c.corners[i]) << c.name << " value " << i;
  EXPECT_EQ(solidColour, 7) << c.name;
}

TEST(Solids, CoincidingCornersReduceTheSolid) {
  const TSolidCase cases[] = {
      {"two points", "sl 1 2 3 4", jekSolid2, {1, 2, 3, 4}},
      {"three, p1 = p2", "sl 1 2 1 2 5 6", jekSolid2, {1, 2, 5, 6}},
      {"three, p2 = p3", "sl 1 2 3 4 3 4", jekSolid2, {1, 2, 3, 4}},
      {"three distinct", "sl 1 2 3 4 5 6", jekSolid3, {1, 2, 3, 4, 5, 6}},
      {"four distinct", "sl 1 2 3 4 5 6 7 8", jekSolid4, {1, 2, 3, 4, 5, 6, 7, 8}},
      {"p1 = p2 = p3", "sl 1 2 1 2 1 2 7 8", jekSolid2, {1, 2, 7, 8}},
      {"p2 = p3 = p4", "sl 1 2 3 4 3 4 3 4", jekSolid2, {1, 2, 3, 4}},
      {"p1 = p2, p3 = p4", "sl 1 2 1 2 5 6 5 6", jekSolid2, {1, 2, 5, 6}},
      {"p4 = p1", "sl 1 2 3 4 5 6 1 2", jekSolid3, {1, 2, 3, 4, 5, 6}},
      {"p4 = p3", "sl 1 2 3 4 5 6 5 6", jekSolid3, {1, 2, 3, 4, 5, 6}},
      {"p3 = p2", "sl 1 2 3 4 3 4 7 8", jekSolid3, {1, 2, 3, 4, 7, 8}},
      {"p3 = p1", "sl 1 2 3 4 1 2 7 8", jekSolid3, {1, 2, 3, 4, 7, 8}},
      {"p2 = p1 only", "sl 1 2 1 2 5 6 7 8", jekSolid3, {1, 2, 5, 6, 7, 8}},
      {"1e-11 apart is equal", "sl 1 2 1.00000000001 2 5 6 7 8", jekSolid3, {1, 2, 5, 6, 7, 8}},
      {"1e-9 apart is not",
       "sl 1 2 1.000000001 2 5 6 7 8",
       jekSolid4,
       {1, 2, 1.000000001, 2, 5, 6, 7, 8}},
      {"y alone differs",
       "sl 1 2 1 2.000000001 5 6 7 8",
       jekSolid4,
       {1, 2, 1, 2.000000001, 5, 6, 7, 8}},
  };
  for (const TSolidCase& c : cases) ExpectSolid(c);
}

TEST(Solids, ValueSolidsKeepTheirNumbersAndCode) {
  ReadLines({"lc10 4", "sc 1 2 3 4 5 6 7 8", "so 1 2 3 4 5 6 7 8 9"});
  EXPECT_EQ(jwwSolidScs[0].values[6], 7);
  EXPECT_EQ(jwwSolidScs[0].code, 8);
  EXPECT_EQ(jwwSolidScs[0].solidColour, 4);
  EXPECT_EQ(jwwSolidSos[0].values[7], 8);
  EXPECT_EQ(jwwSolidSos[0].head.colour, 10);
}

TEST(BlockInsertions, NameIsTheWholeFourthToken) {
  ReadLines({"BL 1 2 first rest", "BL 3 4 \"my block name"});
  ASSERT_EQ(jwwBlks.Count(), 2);
  EXPECT_EQ(blockNames[jwwBlks[0].blockName], "first");
  EXPECT_EQ(blockNames[jwwBlks[1].blockName], "my block name");
  EXPECT_EQ(jwwBlks[1].x, 3);
}

}  // namespace
