// Taking a drawing out of the store through the project's reader, and
// reading the tool's answer with the sizes of the drawing handed over.
#include "Drawing.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>

#include "PromiseCheck.h"
#include "WorkFolder.h"

namespace fs = std::filesystem;

namespace {

fs::path TempFile(const std::string& name, const std::string& bytes) {
  fs::path p = fs::temp_directory_path() / ("jwhost_drawing_" + name);
  EXPECT_TRUE(WriteFileBytes(p, bytes));
  return p;
}

TEST(Drawing, CapturesEveryKindInInputOrder) {
  const fs::path file =
      TempFile("kinds.txt",
               "hq\r\nhcw 2 2.5 3 4 5 6 7 8 9 10\r\nhch 2 2.5 3 4 5 6 7 8 9 10\r\n"
               "hcd 0 0 0.5 0.5 0.5 0.5 1 1 1 1\r\nhcc 1 1 2 2 3 3 4 4 5 5\r\n"
               "lg2\r\nly3\r\n0 0 10 0\r\nci 5 5 2\r\nci 5 5 3 0 90 1 0\r\npt 1 1\r\n"
               "sl 0 0 1 0 1 1 0 1\r\ncn4\r\ncc5\r\nch 1 2 1 0 \"AB C\r\n"
               "msg\r\n0 -5 20 -5\r\ncs 10 -5 1 0 \"20\r\nBL 7 8 \"\x97\xAC\r\n");
  Drawing d;
  ASSERT_TRUE(LoadDrawing(file.string(), nullptr, d));
  ASSERT_EQ(d.texts.size(), 2u);
  EXPECT_EQ(d.texts[0].text, "AB C");
  EXPECT_EQ(d.texts[0].basePoint, 5);
  EXPECT_EQ(d.texts[0].layerGroup, 2);
  EXPECT_EQ(d.texts[0].layer, 3);
  EXPECT_DOUBLE_EQ(d.texts[0].width, 4);  // text type 4 from the header
  EXPECT_FALSE(d.texts[0].inLineTextUnit);
  EXPECT_TRUE(d.texts[1].inLineTextUnit);
  EXPECT_DOUBLE_EQ(d.texts[1].unitLine[2], 20);
  EXPECT_EQ(d.segments.size(), 2u);  // the line and the unit's line
  EXPECT_EQ(d.circles.size(), 2u);
  EXPECT_TRUE(d.circles[1].isArc);
  EXPECT_EQ(d.points.size(), 1u);
  ASSERT_EQ(d.solids.size(), 1u);
  EXPECT_EQ(d.solids[0].corners.size(), 4u);
  EXPECT_DOUBLE_EQ(d.textTypes[3].width, 4);
  ASSERT_EQ(d.blocks.size(), 1u);
  EXPECT_EQ(d.blocks[0].name, "\x97\xAC");
  EXPECT_DOUBLE_EQ(d.blocks[0].y, 8);
  fs::remove(file);
}

TEST(Drawing, ReadsAnAnswerWithTheSizesOfTheDrawingHandedOver) {
  const fs::path before = TempFile("before.txt",
                                   "hq\r\nhcw 2 2.5 3 7 5 6 7 8 9 10\r\n"
                                   "hch 2 2.5 3 7 5 6 7 8 9 10\r\n"
                                   "cn4\r\nch 0 0 1 0 \"AB\r\n");
  // The answer names the text type only, as the tool writes it.
  const fs::path answer = TempFile("answer.txt",
                                   "hd\r\nlg0\r\nly0\r\ncn4\r\ncc2\r\n"
                                   "ch 7 0 1 0 \"AB\r\n");
  Drawing b, a, withoutSizes;
  ASSERT_TRUE(LoadDrawing(before.string(), nullptr, b));
  ASSERT_TRUE(LoadDrawing(answer.string(), &b.textTypes, a));
  ASSERT_TRUE(LoadDrawing(answer.string(), nullptr, withoutSizes));
  EXPECT_TRUE(CheckPromise(b.texts, a.texts, 0).Kept());
  EXPECT_FALSE(CheckPromise(b.texts, withoutSizes.texts, 0).Kept());
  fs::remove(before);
  fs::remove(answer);
}

TEST(Drawing, TheBundledSampleHasWhatASheetHolds) {
  const char* sample = std::getenv("JWHOST_SAMPLE");
  if (sample == nullptr) GTEST_SKIP() << "JWHOST_SAMPLE not set";
  Drawing d;
  ASSERT_TRUE(LoadDrawing(sample, nullptr, d));
  bool codes[9] = {};
  int units = 0;
  for (const auto& t : d.texts) {
    if (t.basePoint >= 0 && t.basePoint <= 8) codes[t.basePoint] = true;
    units += t.inLineTextUnit;
    EXPECT_FALSE(TextLeftOutByTool(t)) << t.text;
  }
  for (bool seen : codes) EXPECT_TRUE(seen);
  EXPECT_GE(units, 1);
  EXPECT_GE(d.texts.size(), 45u);
  EXPECT_FALSE(d.circles.empty());
  EXPECT_FALSE(d.points.empty());
  EXPECT_FALSE(d.solids.empty());
}

}  // namespace
