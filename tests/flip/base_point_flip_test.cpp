// Base point mapping, offsets, the flip of one record (exact values) and the
// pass over the store's text array.
#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <utility>
#include <vector>

#include "flip/BasePointFlip.h"
#include "tests/flip/text_records.h"

namespace {

using flip_test::BytesOf;
using flip_test::MakeText;

TEST(MapBasePoint, MirrorsEveryCode) {
  // Columns left/centre/right, rows bottom/middle/top; [code][flip type].
  const int32_t expected[9][3] = {{2, 6, 8}, {1, 7, 7}, {0, 8, 6}, {5, 3, 5}, {4, 4, 4},
                                  {3, 5, 3}, {8, 0, 2}, {7, 1, 1}, {6, 2, 0}};
  for (int32_t code = 0; code <= 8; ++code) {
    for (int32_t type = 0; type <= 2; ++type) {
      EXPECT_EQ(MapBasePoint(code, type), expected[code][type]) << code << " " << type;
    }
  }
}

TEST(MapBasePoint, UnknownCodesAndTypesChangeNothing) {
  for (int32_t code : {-1, 9, 12, INT_MIN, INT_MAX}) {
    for (int32_t type : {-1, 0, 1, 2, 3}) EXPECT_EQ(MapBasePoint(code, type), code);
  }
  for (int32_t type : {-1, 3, 100, INT_MIN, INT_MAX}) {
    for (int32_t code = 0; code <= 8; ++code) EXPECT_EQ(MapBasePoint(code, type), code);
  }
}

TEST(BasePointOffset, FromTheBottomLeftCorner) {
  const double w = 8.75;
  const double h = 4;
  const std::pair<double, double> expected[9] = {
      {0, 0}, {4.375, 0}, {8.75, 0}, {0, 2}, {4.375, 2}, {8.75, 2}, {0, 4}, {4.375, 4}, {8.75, 4}};
  for (int32_t code = 0; code <= 8; ++code) {
    double ox = -1;
    double oy = -1;
    BasePointOffset(code, w, h, ox, oy);
    EXPECT_EQ(ox, expected[code].first) << code;
    EXPECT_EQ(oy, expected[code].second) << code;
  }
  for (int32_t code : {-1, 9, INT_MIN}) {
    double ox = -1;
    double oy = -1;
    BasePointOffset(code, w, h, ox, oy);
    EXPECT_EQ(ox, 0);
    EXPECT_EQ(oy, 0);
  }
}

class FlipText : public ::testing::Test {
 protected:
  void SetUp() override { JwwInit(); }
  void TearDown() override { JwwRelease(); }
};

struct ExactCase {
  const char* name;
  const char* text;
  double width, height, spacing;
  int32_t basePoint;
  double x, y, dx, dy;
  int32_t flipType;
  int32_t expectedCode;
  double expectedX, expectedY;
};

TEST_F(FlipText, ExactValues) {
  const ExactCase cases[] = {
      {"horizontal left/right", "ABCD", 4, 4, 0.5, 0, 100, 50, 1, 0, ftLeftRight, 2, 108.75, 50},
      {"horizontal up/down", "ABCD", 4, 4, 0.5, 0, 100, 50, 1, 0, ftUpDown, 6, 100, 54},
      {"upright, both", "\x82\xA0\x82\xA2", 5, 5, 1, 8, 10, 20, 0, 2, ftBoth, 0, 15, 9},
      {"half turn left/right", "ABCDE", 4, 3, 0, 0, 100, 50, -1, 0, ftLeftRight, 2, 90, 50},
      {"default text type ABC", "ABC", 3, 3, 0, 0, 100, 50, 1, 0, ftLeftRight, 2, 104.5, 50},
      {"zero direction is horizontal", "ABCD", 4, 4, 0.5, 0, 100, 50, 0, 0, ftLeftRight, 2, 108.75,
       50},
      {"tiny direction is horizontal", "ABCD", 4, 4, 0.5, 8, 100, 50, 1e-11, -9e-11, ftBoth, 0,
       91.25, 46},
      {"empty text moves by the height only", "", 4, 4, 0.5, 6, 100, 50, 1, 0, ftBoth, 2, 100, 46},
      {"empty text left/right stays", "", 4, 4, 0.5, 3, 100, 50, 1, 0, ftLeftRight, 5, 100, 50},
      {"control bytes have no width", "\t\t", 4, 4, 0, 0, 100, 50, 1, 0, ftLeftRight, 2, 100, 50},
      {"centre column, up/down", "AB", 2, 6, 0, 1, -5, -5, 1, 0, ftUpDown, 7, -5, 1},
  };
  for (const ExactCase& c : cases) {
    TJwwEntText record =
        MakeText(c.text, c.width, c.height, c.spacing, c.basePoint, c.x, c.y, c.dx, c.dy);
    FlipTextBasePoint(record, c.flipType);
    EXPECT_EQ(record.basePoint, c.expectedCode) << c.name;
    EXPECT_EQ(record.x, c.expectedX) << c.name;
    EXPECT_EQ(record.y, c.expectedY) << c.name;
    EXPECT_EQ(record.dx, c.dx) << c.name;  // the direction is never touched
    EXPECT_EQ(record.dy, c.dy) << c.name;
  }
}

TEST_F(FlipText, SelfMappedCodesAndUnknownInputLeaveTheRecordUntouched) {
  const std::pair<int32_t, int32_t> unchanged[] = {
      {1, ftLeftRight}, {4, ftLeftRight}, {7, ftLeftRight}, {3, ftUpDown},
      {4, ftUpDown},    {5, ftUpDown},    {4, ftBoth},      {0, -1},
      {8, 3},           {-1, ftBoth},     {9, ftLeftRight}, {100, ftUpDown},
  };
  for (const auto& [code, type] : unchanged) {
    // An insertion point that a recomputation would not reproduce exactly.
    TJwwEntText record = MakeText("\x82\xA0xy", 3.3, 2.7, 0.1, code, 0.1, 0.7, 0.3, 0.9);
    const auto before = BytesOf(record);
    FlipTextBasePoint(record, type);
    EXPECT_EQ(BytesOf(record), before) << code << " " << type;
  }
}

// Sizes or directions that cannot give a finite point (only absurd or
// corrupted values do) leave the record as it was instead of writing
// infinities or NaN into the drawing.
TEST_F(FlipText, NonFiniteResultLeavesTheRecordUntouched) {
  const double nan = std::numeric_limits<double>::quiet_NaN();
  const TJwwEntText cases[] = {
      MakeText("\x82\xA0\x82\xA0", 1e308, 1, 0, 0, 0, 0, 1, 0),
      MakeText("A", 1, 1.5e308, 0, 0, 0, 1e308, 1, 0),
      MakeText("A", 1, 1, 0, 0, 0, 0, nan, 1),
      MakeText("A", nan, 1, 0, 0, 0, 0, 1, 0),
      MakeText("A", 1e300, 1, 0, 0, std::numeric_limits<double>::max(), 0, 1, 0),
  };
  for (const TJwwEntText& original : cases) {
    TJwwEntText record = original;
    const auto before = BytesOf(record);
    FlipTextBasePoint(record, ftBoth);
    EXPECT_EQ(BytesOf(record), before) << record.width << " " << record.height;
  }
}

TEST_F(FlipText, ExtremeButFiniteResultIsStillFlipped) {
  TJwwEntText record = MakeText("A", 1, 1e300, 0, 0, 0, 0, 1, 0);
  FlipTextBasePoint(record, ftUpDown);
  EXPECT_EQ(record.basePoint, 6);
  EXPECT_EQ(record.y, 1e300);
}

class FlipAll : public FlipText {
 protected:
  static void AddText(int32_t basePoint, double x) {
    jwwTexts.Append() = MakeText("AB", 2, 1, 0, basePoint, x, 0, 1, 0);
  }
};

// Runs FlipAllTexts with progress that hands every text report to `onText`.
template <class F>
void FlipAllTextsReporting(int32_t flipType, F onText) {
  class TextReports final : public TJwwProgress {
   public:
    explicit TextReports(F& f) : f_(f) {}
    void FlippingText(int32_t i, int32_t n) override { f_(i, n); }
    void WritingEntity(int32_t, int32_t) override {}
    bool EscapeDown() override { return false; }

   private:
    F& f_;
  } progress(onText);
  FlipAllTexts(flipType, progress);
}

TEST_F(FlipAll, CallsTheHookBeforeEachRecordInStoreOrder) {
  AddText(0, 10);
  AddText(5, 20);
  AddText(4, 30);
  std::vector<std::pair<int32_t, int32_t>> calls;
  FlipAllTextsReporting(ftLeftRight, [&calls](int32_t i, int32_t n) {
    calls.emplace_back(i, n);
    // Record i - 1 is reported before it is flipped, its predecessor after.
    if (i == 1) {
      EXPECT_EQ(jwwTexts[0].basePoint, 0);
    } else if (i == 2) {
      EXPECT_EQ(jwwTexts[0].basePoint, 2);
      EXPECT_EQ(jwwTexts[1].basePoint, 5);
    }
  });
  const std::vector<std::pair<int32_t, int32_t>> expected = {{1, 3}, {2, 3}, {3, 3}};
  EXPECT_EQ(calls, expected);
  EXPECT_EQ(jwwTexts[0].basePoint, 2);
  EXPECT_EQ(jwwTexts[0].x, 12);
  EXPECT_EQ(jwwTexts[1].basePoint, 3);
  EXPECT_EQ(jwwTexts[1].x, 18);
  EXPECT_EQ(jwwTexts[2].basePoint, 4);
  EXPECT_EQ(jwwTexts[2].x, 30);
}

TEST_F(FlipAll, EmptyStoreCallsNothing) {
  int calls = 0;
  FlipAllTextsReporting(ftBoth, [&calls](int32_t, int32_t) { ++calls; });
  EXPECT_EQ(calls, 0);
}

TEST_F(FlipAll, SilentProgressStillFlipsEveryBlock) {
  for (int i = 0; i < 1001; ++i) AddText(0, i);
  TJwwSilentProgress silent;
  FlipAllTexts(ftUpDown, silent);
  for (int i = 0; i < 1001; ++i) {
    ASSERT_EQ(jwwTexts[i].basePoint, 6) << i;
    ASSERT_EQ(jwwTexts[i].y, 1) << i;
  }
}

TEST_F(FlipAll, NoFlipTypeStillReportsProgressButChangesNothing) {
  AddText(0, 10);
  AddText(8, 20);
  const auto first = BytesOf(jwwTexts[0]);
  const auto second = BytesOf(jwwTexts[1]);
  int calls = 0;
  FlipAllTextsReporting(-1, [&calls](int32_t, int32_t) { ++calls; });
  EXPECT_EQ(calls, 2);
  EXPECT_EQ(BytesOf(jwwTexts[0]), first);
  EXPECT_EQ(BytesOf(jwwTexts[1]), second);
}

TEST_F(FlipAll, LeavesTheTextsOfLineAndTextUnitsAlone) {
  TJwwEntLineText& unit = jwwLineTexts.Append();
  unit.text = MakeText("AB", 2, 1, 0, 0, 10, 0, 1, 0);
  unit.text.textKind = 2;
  AddText(0, 10);
  const auto before = BytesOf(jwwLineTexts[0].text);
  int calls = 0;
  FlipAllTextsReporting(ftBoth, [&calls](int32_t, int32_t n) {
    ++calls;
    EXPECT_EQ(n, 1);
  });
  EXPECT_EQ(calls, 1);
  EXPECT_EQ(jwwTexts[0].basePoint, 8);
  EXPECT_EQ(BytesOf(jwwLineTexts[0].text), before);
}

}  // namespace
