// The store's block lists and the packed output lines: growth rule, stable
// addresses, defaults.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "tests/writer/writer_support.h"
#include "transfer/JwwGaibu.h"

namespace {

TEST(BlockList, GrowsByBlocksOfAThousandWithoutMovingRecords) {
  TJwwBlockList<TJwwEntLine> list;
  EXPECT_EQ(list.Capacity(), 0);
  TJwwEntLine* first = &list.Append();
  EXPECT_EQ(list.Capacity(), 1000);
  first->x1 = 42;
  for (int i = 1; i < 1000; ++i) list.Append();
  EXPECT_EQ(list.Count(), 1000);
  EXPECT_EQ(list.Capacity(), 1000);
  TJwwEntLine& next = list.Append();
  EXPECT_EQ(list.Count(), 1001);
  EXPECT_EQ(list.Capacity(), 2000);
  EXPECT_EQ(&list[0], first);
  EXPECT_EQ(list[0].x1, 42);
  EXPECT_EQ(next.x1, 0);  // new capacity is zero-filled
  EXPECT_EQ(next.head.colour, 0);
}

TEST(BlockList, FailedAllocationLeavesTheListUnchanged) {
  TJwwBlockList<TJwwEntRef> list;
  for (int i = 0; i < 1000; ++i) list.Append().index = i;
  jwwBlockAllocFails = [] { return true; };
  EXPECT_THROW(list.Append(), std::bad_alloc);
  jwwBlockAllocFails = nullptr;
  EXPECT_EQ(list.Count(), 1000);
  EXPECT_EQ(list.Append().index, 0);
  EXPECT_EQ(list[999].index, 999);
}

TEST(Store, InitSetsEveryDefault) {
  JwwInit();
  for (int kind = 1; kind <= kJwwKindCount; ++kind) EXPECT_EQ(JwwKindCount(kind), 0);
  EXPECT_EQ(entityOrder.Count(), 0);
  EXPECT_EQ(currentAttributes.curFontName, kJwwDefaultFontName);
  EXPECT_EQ(currentAttributes.curFontName,
            "\x3C\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E\x3E");
  EXPECT_TRUE(initialAttributes.initialFontName.empty());
  for (const TJwwTextType& t : jwwHeader.textTypes) {
    EXPECT_EQ(t.width, 3.0);
    EXPECT_EQ(t.height, 3.0);
    EXPECT_EQ(t.spacing, 0.0);
    EXPECT_EQ(t.colour, 2);
  }
  EXPECT_EQ(jwwHeader.layerNames.size(), 256u);
  EXPECT_EQ(jwwHeader.indicatedPoints.size(), 100u);
  EXPECT_EQ(jwwHeader.paperWidth, 1189.0);
  EXPECT_EQ(pendingLine.head.colour, 1);
  EXPECT_EQ(pendingLine.x2, 1.0);
  EXPECT_EQ(OutputLineCount(), 0);
}

TEST(Store, ShortStringsAreCutWithoutSplittingACharacter) {
  JwwInit();
  std::string ascii(300, 'a');
  EXPECT_EQ(JwwStoreShortStr(ascii).View(), std::string(255, 'a'));
  // 254 ASCII bytes then a two-byte character: the pair would end at byte 256.
  std::string split = std::string(254, 'a') + "\x82\xA0" + "b";
  EXPECT_EQ(JwwStoreShortStr(split).View(), std::string(254, 'a'));
}

TEST(OutputLines, PackedLinesReadBackInOrderAcrossBlocksAndChunks) {
  JwwInit();
  std::string longLine(255, 'x');
  for (int i = 0; i < 10000; ++i) {
    AddOutputLine(i % 7 == 0 ? longLine : std::to_string(i));
  }
  EXPECT_EQ(OutputLineCount(), 10000);
  EXPECT_EQ(OutputLineCapacity(), 10000);
  const Lines lines = OutputLines();
  EXPECT_EQ(lines[0], longLine);
  EXPECT_EQ(lines[9999], "9999");
  EXPECT_EQ(lines[5001], "5001");
  TJwwOutputLineCursor cursor;
  std::string_view line;
  int n = 0;
  while (cursor.Next(line)) {
    ASSERT_EQ(line, n % 7 == 0 ? longLine : std::to_string(n));
    ++n;
  }
  EXPECT_EQ(n, 10000);
  AddOutputLine("next");
  EXPECT_EQ(OutputLineCapacity(), 11000);
  ClearOutputLines();
  EXPECT_EQ(OutputLineCount(), 0);
  EXPECT_EQ(OutputLineCapacity(), 0);
}

TEST(OutputLines, LongLinesAreCutAtACharacterBoundary) {
  JwwInit();
  AddOutputLine(std::string(300, 'y'));
  AddOutputLine(std::string(253, 'a') + "\x93\xFA\x96\x7B");
  EXPECT_EQ(OutputLines(), (Lines{std::string(255, 'y'), std::string(253, 'a') + "\x93\xFA"}));
}

// Pending lines, appended in one step, give the file and the lines that
// adding each line in turn gives: for every range of them and after a line
// that joins the next one or not.
TEST(OutputLines, PendingLinesAppendAsEachLineAddedInTurn) {
  const std::vector<std::string> lines = {
      "ch 1 2 1 0 \"",       "text\"",  "ch 1 2 1 0 \"", "cs 3 4 1 0 \"", "",
      std::string(300, 'x'), "0 0 1 1", "cv 0 0 1 0 \""};
  auto saved = [] {
    std::string bytes;
    for (int32_t i = 0; i < OutputChunkCount(); ++i) bytes += OutputChunk(i);
    return std::make_pair(bytes, OutputLines());
  };
  TJwwPendingLines pending;
  for (const std::string& line : lines) pending.Add(line);
  for (const char* before : {"lg1", "ch 9 9 1 0 \""}) {
    for (size_t first = 0; first <= lines.size(); ++first) {
      for (size_t end = first; end <= lines.size(); ++end) {
        JwwInit();
        AddOutputLine(before);
        for (size_t i = first; i < end; ++i) AddOutputLine(lines[i]);
        const auto expected = saved();
        JwwInit();
        AddOutputLine(before);
        AddOutputLines(pending, first, end);
        EXPECT_EQ(saved(), expected) << before << ", lines " << first << " to " << end;
      }
    }
  }
}

}  // namespace
