// The store's block lists and the packed output lines: growth rule, stable
// addresses, a fresh start.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "fuzz/StoreDigest.h"
#include "tests/reader/reader_support.h"
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

// JwwInit after a read gives back exactly the store of the first JwwInit:
// no state of one file may carry over into the reading of the next.
TEST(Store, InitForgetsEverythingARunLeft) {
  JwwInit();
  const uint64_t initial = StoreDigest();
  ReadLines({"file=x.jww", "hk 5", "hs 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2 2", "hzs 420 297",
             "hcw 1 2 3 4 5 6 7 8 9 10", "hcc 1 2 3 4 5 6 7 8 9 10", "bz", "hn 1 2 3 4",
             "hp1 5 6", "lg3 7", "lgnA", "ly5 9", "lynB", "lc10 255", "lt2", "lw3",
             "cn0 5 5 1 3", "cn\"$<x>", "cc4", "pn3", "0 0 1 1", "msg", "2 2 3 3", "hhp1", "z1",
             "ch 1 2 1 0 \"A", "BL 1 2 b", "sc 1 2 3 4 5 6 7 8", "pl"});
  AddOutputLine("hd");
  ASSERT_NE(StoreDigest(), initial);
  JwwInit();
  EXPECT_EQ(StoreDigest(), initial);
  EXPECT_EQ(OutputLineCount(), 0);
  // The default font name byte for byte: "<ＭＳ ゴシック>" as the host writes it.
  EXPECT_EQ(currentAttributes.curFontName,
            "\x3C\x82\x6C\x82\x72\x20\x83\x53\x83\x56\x83\x62\x83\x4E\x3E");
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
  ClearOutputLines();
  EXPECT_EQ(OutputLineCount(), 0);
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
