// Which statement takes a line: the keyword, its token count, and the
// four-token fallback to a plain line.
#include <gtest/gtest.h>

#include "tests/reader/reader_support.h"

namespace {

TEST(Dispatch, KeywordAndTokenCountPickTheStatement) {
  const struct {
    const char* line;
    const char* counts;
  } cases[] = {
      {"ci 0 0 5", "circle:1"},
      {"ci 0 0 5 ", ""},  // a trailing blank makes five tokens
      {"ci 1 2 3 4 5", ""},
      {"ci 1 2 3 4 5 6 7", "arc:1"},
      {"ci 1 2 3 4 5 6 7 8", "arc:1"},
      {"1 2 3 4", "line:1"},
      {"1 2 3 4 5", ""},
      {"1 2 3", ""},
      {"pt 1 2", "point:1"},
      {"pt 1 2 3", "line:1"},  // four tokens, no "pt" row: a plain line
      {"pt 1 2 3 4", ""},
      {"pt 1 2 3 4 5", "pointEx:1"},
      {"ch 1 2 3 4", ""},
      {"ch 1 2 3", "line:1"},
      {"ch 1 2 3 4 \"x", "text:1"},
      {"CH 1 2 3 4 \"x", ""},  // keywords are case-sensitive
      {"c2 1 2 3 4 x", "text:1"},
      {"c3 1 2 3 4 x", ""},
      {"BL 1 2 name", "blk:1"},
      {"BL 1 2", ""},
      {"sl 1 2 3 4", "solid2:1"},
      {"sl 1 2 3", "line:1"},
      {"sl 1 2 3 4 5", ""},
      {"sl 1 2 3 4 5 6", "solid3:1"},
      {"sl 1 2 3 4 5 6 7", ""},
      {"sl 1 2 3 4 5 6 7 8", "solid4:1"},
      {"sc 1 2 3 4 5 6 7 8", "sc:1"},
      {"se 1 2 3 4 5 6 7 8", "se:1"},
      {"so 1 2 3 4 5 6 7 8", "so:1"},
      {"sg 1 2 3 4 5 6 7 8", "sg:1"},
      {"sc 1 2 3", "line:1"},
      {"sc 1 2 3 4 5 6 7", ""},
      {"hs 1 2 3", "line:1"},  // "hs" needs 17 tokens
      {"hcw 1 2 3", "line:1"},
      {"hzs 1 2 3", ""},  // taken by "hzs", not by the plain line
      {"hk 1 2 3", ""},
      {"hp5 1 2 3", ""},
      {"hhp3 1 2 3", ""},
      {"hp5", ""},
      {"bz 1 2 3", ""},
      {"lg1 2 3 4", ""},
      {"lyn 1 2 3", ""},
      {"cc1 2 3 4", ""},
      {"cn$a 2 3 4", ""},
      {"pn2 2 3 4", ""},
      {"pl 1 2 3", ""},
      {"msg 1 2 3", ""},
      {"# 1 2 3", ""},
      {"z1 2 3 4", ""},
      {"z6 2 3 4", "line:1"},
      {"zz 2 3 4", "line:1"},
      {"bzz 2 3 4", "line:1"},
      {"file= 1 2 3", ""},
      {"", ""},
      {" \t ", ""},
  };
  for (const auto& c : cases) {
    ReadLines({c.line});
    EXPECT_EQ(KindCounts(), c.counts) << '"' << c.line << '"';
    int records = 0;
    for (int kind = 1; kind <= kJwwKindCount; ++kind) records += JwwKindCount(kind);
    EXPECT_EQ(entityOrder.Count(), records) << c.line;
  }
}

TEST(Dispatch, AnyWordBeforeThreeNumbersReadsAsZero) {
  ReadLines({"pt 1 2 3", "hzs? 5 6 7"});
  ASSERT_EQ(jwwLines.Count(), 2);
  EXPECT_EQ(jwwLines[0].x1, 0);
  EXPECT_EQ(jwwLines[0].y1, 1);
  EXPECT_EQ(jwwLines[0].x2, 2);
  EXPECT_EQ(jwwLines[0].y2, 3);
  EXPECT_EQ(jwwLines[1].x1, 0);
}

TEST(Dispatch, EntityOrderFollowsTheLinesAcrossKinds) {
  ReadLines({"1 2 3 4", "ci 0 0 1", "5 6 7 8", "ch 0 0 1 0 \"a", "ci 0 0 2"});
  const TJwwEntRef expected[] = {
      {jekLine, 0}, {jekCircle, 0}, {jekLine, 1}, {jekText, 0}, {jekCircle, 1}};
  ASSERT_EQ(entityOrder.Count(), 5);
  for (int i = 0; i < 5; ++i) {
    EXPECT_EQ(entityOrder[i].kind, expected[i].kind) << i;
    EXPECT_EQ(entityOrder[i].index, expected[i].index) << i;
  }
  EXPECT_EQ(jwwCircles[1].radius, 2);
}

TEST(Dispatch, HeaderSettingsAreStoredAsRead) {
  ReadLines({"hk 2.5", "hs 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16", "hzs 420 297",
             "hcw 1 2 3 4 5 6 7 8 9 10", "hch 11 12 13 14 15 16 17 18 19 20",
             "hcd 0.1 0.2 0.3 0.4 0.5 0.6 0.7 0.8 0.9 1", "hcc 1 2 3 4 5 6 7 8 9 $A", "hn 1 2 3 4",
             "bz", "file=C:\\a b\\c.jww"});
  const TJwwHeader& h = jwwHeader;
  EXPECT_EQ(h.hkValue, 2.5);
  EXPECT_EQ(h.groupScales[0], 1);
  EXPECT_EQ(h.groupScales[15], 16);
  EXPECT_EQ(h.paperWidth, 420);
  EXPECT_EQ(h.paperHeight, 297);
  EXPECT_EQ(h.textTypes[9].width, 10);
  EXPECT_EQ(h.textTypes[0].height, 11);
  EXPECT_EQ(h.textTypes[2].spacing, 0.3);
  EXPECT_EQ(h.textTypes[9].colour, 10);
  EXPECT_EQ(h.hnValues[3], 4);
  EXPECT_TRUE(h.bzFlag);
  EXPECT_EQ(h.drawingFileName, "C:\\a b\\c.jww");
  EXPECT_EQ(KindCounts(), "");
}

TEST(Dispatch, FileNameIsTakenFromTheSixthByteWhereverFileEqualsIs) {
  ReadLines({"xfile=abc"});
  EXPECT_EQ(jwwHeader.drawingFileName, "=abc");
  ReadLines({"lgnfile=x 1 2 3"});
  EXPECT_EQ(jwwHeader.drawingFileName, "le=x 1 2 3");
  EXPECT_EQ(jwwHeader.groupNames[0], "");
}

}  // namespace
