// The promise check: it must pass an honest flip and catch every way a
// broken tool could move or alter a text.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <numbers>
#include <random>
#include <string>
#include <vector>

#include "PromiseCheck.h"
#include "WorkFolder.h"
#include "flip/BasePointFlip.h"

namespace {

DrawnText MakeText(const std::string& s, int basePoint, double x, double y, double degrees,
                   double width = 3, double height = 3, double spacing = 0.5) {
  DrawnText t;
  t.text = s;
  t.basePoint = basePoint;
  t.x = x;
  t.y = y;
  t.dx = std::cos(degrees * std::numbers::pi / 180);
  t.dy = std::sin(degrees * std::numbers::pi / 180);
  t.width = width;
  t.height = height;
  t.spacing = spacing;
  return t;
}

// The tool's own flip applied to a copy of `t`, as the honest tool does.
DrawnText FlippedByTool(const DrawnText& t, int flipType) {
  TJwwEntText record{};
  record.basePoint = t.basePoint;
  record.width = t.width;
  record.height = t.height;
  record.spacing = t.spacing;
  record.x = t.x;
  record.y = t.y;
  record.dx = t.dx;
  record.dy = t.dy;
  record.text = {t.text.data(), static_cast<uint32_t>(t.text.size())};
  FlipTextBasePoint(record, flipType);
  DrawnText out = t;
  out.basePoint = record.basePoint;
  out.x = record.x;
  out.y = record.y;
  return out;
}

// Nine base points in the directions a sheet uses, with one-byte and
// two-byte strings ("寸法" in Shift-JIS).
std::vector<DrawnText> Sheet() {
  std::vector<DrawnText> texts;
  const double directions[] = {0, 90, 30, 180, 225};
  for (double degrees : directions) {
    for (int code = 0; code <= 8; ++code) {
      texts.push_back(MakeText(code % 2 ? "Label" : "\x90\xA1\x96\x40", code, 100 + code * 20,
                               50 + degrees, degrees, 2.5 + code, 3 + code * 0.5));
    }
  }
  return texts;
}

TEST(PromiseCheck, PassesTheToolsOwnFlipForEveryCodeDirectionAndFlipType) {
  const std::vector<DrawnText> before = Sheet();
  for (int flipType = 0; flipType <= 2; ++flipType) {
    std::vector<DrawnText> after;
    for (const auto& t : before) after.push_back(FlippedByTool(t, flipType));
    PromiseReport report = CheckPromise(before, after, flipType);
    EXPECT_TRUE(report.Kept()) << "flip type " << flipType << ": " << report.broken.front();
    EXPECT_EQ(report.checked, 45);
    // Codes that a flip type maps onto themselves: 3 of 9 for flip types 0
    // and 1, 1 of 9 for both.
    EXPECT_EQ(report.flipped, flipType == 2 ? 40 : 30);
  }
}

TEST(PromiseCheck, PassesTheWorkedExamples) {
  // ABCD, 4 wide cells, spacing 0.5: 8.75 long; anchored bottom-left at
  // (100, 50), flipped left/right it is anchored bottom-right at (108.75, 50).
  DrawnText abcd = MakeText("ABCD", 0, 100, 50, 0, 4, 4, 0.5);
  DrawnText flipped = abcd;
  flipped.basePoint = 2;
  flipped.x = 108.75;
  EXPECT_TRUE(CheckPromise({abcd}, {flipped}, 0).Kept());
  // Two full-width characters running upwards, top-right at (10, 20): the
  // bottom-left corner is (15, 9).
  DrawnText up = MakeText("\x88\x9F\x88\x9F", 8, 10, 20, 90, 5, 5, 1);
  up.dx = 0, up.dy = 2;
  const auto corners = TextBoxCorners(up);
  EXPECT_NEAR(corners[0][0], 15, 1e-12);
  EXPECT_NEAR(corners[0][1], 9, 1e-12);
  DrawnText upFlipped = up;
  upFlipped.basePoint = 0;
  upFlipped.x = 15;
  upFlipped.y = 9;
  EXPECT_TRUE(CheckPromise({up}, {upFlipped}, 2).Kept());
}

struct Fault {
  const char* name;
  void (*apply)(DrawnText&);
  const char* expectedWords;
};

TEST(PromiseCheck, CatchesABrokenToolAndNamesTheText) {
  const Fault faults[] = {
      {"insertion point moved", [](DrawnText& t) { t.x += 0.01; }, "corner moved"},
      {"point moved, code kept", [](DrawnText& t) { t.basePoint = 8; }, "corner moved"},
      {"string altered", [](DrawnText& t) { t.text += "X"; }, "string became"},
      {"direction turned", [](DrawnText& t) { std::swap(t.dx, t.dy); }, "direction became"},
      {"height changed", [](DrawnText& t) { t.height *= 2; }, "size became"},
      {"font changed", [](DrawnText& t) { t.fontName = "<Arial>"; }, "font became"},
      {"layer changed", [](DrawnText& t) { t.layer = 5; }, "layer became"},
      {"keyword changed", [](DrawnText& t) { t.textKind = 2; }, "keyword changed"},
  };
  std::vector<DrawnText> before = Sheet();
  before[7].text = "Broken";
  before[7].basePoint = 8;
  std::vector<DrawnText> honest;
  for (const auto& t : before) honest.push_back(FlippedByTool(t, 2));
  for (const Fault& fault : faults) {
    std::vector<DrawnText> after = honest;
    fault.apply(after[7]);
    PromiseReport report = CheckPromise(before, after, 2);
    ASSERT_EQ(report.broken.size(), 1u) << fault.name;
    EXPECT_NE(report.broken[0].find("text 8 \"Broken\""), std::string::npos) << report.broken[0];
    EXPECT_NE(report.broken[0].find(fault.expectedWords), std::string::npos) << report.broken[0];
    EXPECT_NE(report.Summary().find("1 broke the promise"), std::string::npos);
  }
}

TEST(PromiseCheck, CatchesAMirrorOtherThanTheOneAsked) {
  // A tool that flips up/down when left/right was asked keeps every box but
  // breaks its word.
  const std::vector<DrawnText> before = Sheet();
  std::vector<DrawnText> after;
  for (const auto& t : before) after.push_back(FlippedByTool(t, 1));
  PromiseReport report = CheckPromise(before, after, 0);
  EXPECT_FALSE(report.Kept());
  EXPECT_NE(report.broken[0].find("expected"), std::string::npos);
  // Unknown flip type: only the boxes are judged.
  EXPECT_TRUE(CheckPromise(before, after, kFlipTypeUnknown).Kept());
}

TEST(PromiseCheck, MissingAndExtraTextsBreakThePromise) {
  const std::vector<DrawnText> before = Sheet();
  std::vector<DrawnText> shorter(before.begin(), before.end() - 1);
  PromiseReport missing = CheckPromise(before, shorter, kFlipTypeUnknown);
  ASSERT_EQ(missing.broken.size(), 1u);
  EXPECT_NE(missing.broken[0].find("text 45"), std::string::npos);
  EXPECT_NE(missing.broken[0].find("missing"), std::string::npos);

  std::vector<DrawnText> longer = before;
  longer.push_back(MakeText("Extra", 0, 0, 0, 0));
  PromiseReport extra = CheckPromise(before, longer, kFlipTypeUnknown);
  ASSERT_EQ(extra.broken.size(), 1u);
  EXPECT_NE(extra.broken[0].find("\"Extra\": not in the selection"), std::string::npos);
}

TEST(PromiseCheck, TextsTheToolLeavesOutByDesignAreSkipped) {
  DrawnText blank = MakeText(" \x81\x40\t", 0, 0, 0, 0);  // blanks, full-width blank, tab
  DrawnText noDirection = MakeText("A", 0, 0, 0, 0);
  noDirection.dx = noDirection.dy = 0;
  DrawnText kept = MakeText("Kept", 4, 10, 10, 30);
  PromiseReport report = CheckPromise({blank, kept, noDirection}, {kept}, kFlipTypeUnknown);
  EXPECT_TRUE(report.Kept()) << report.broken.front();
  EXPECT_EQ(report.leftOut, 2);
  EXPECT_EQ(report.checked, 1);
}

TEST(PromiseCheck, UnitTextsAreNotFlipped) {
  DrawnText unit = MakeText("1820", 1, 50, 5, 0);
  unit.inLineTextUnit = true;
  unit.unitLine = {0, 0, 100, 0};
  EXPECT_TRUE(CheckPromise({unit}, {unit}, 2).Kept());
  DrawnText moved = FlippedByTool(unit, 2);
  EXPECT_FALSE(CheckPromise({unit}, {moved}, 2).Kept());
}

// `v` as the transfer file holds it: 15 significant digits.
double Written(double v) {
  char b[32];
  std::snprintf(b, sizeof b, "%.15g", v);
  return std::stod(b);
}

TEST(PromiseCheck, FarOffTextsMayMoveByTheLastWrittenDigit) {
  for (double magnitude : {1.0, 1e3, 1e6, 1e9, 1e12}) {
    DrawnText before = MakeText("\x90\xA1\x96\x40", 4, Written(magnitude * 1.234567),
                                Written(-magnitude * 0.987654), 30, 2.5, 3.5, 0.25);
    for (int flipType = 0; flipType <= 2; ++flipType) {
      DrawnText after = FlippedByTool(before, flipType);
      after.x = Written(after.x), after.y = Written(after.y);
      PromiseReport honest = CheckPromise({before}, {after}, flipType);
      EXPECT_TRUE(honest.Kept()) << magnitude << ": " << honest.broken.front();
      after.x += 10 * PromiseTolerance(magnitude);
      PromiseReport moved = CheckPromise({before}, {after}, flipType);
      ASSERT_FALSE(moved.Kept()) << magnitude;
      EXPECT_NE(moved.broken[0].find("corner moved"), std::string::npos) << moved.broken[0];
    }
  }
}

TEST(PromiseCheck, AnEmptyFontNameComesBackAsTheFilesFirstFont) {
  const struct {
    const char *before, *firstFont, *after;
    bool kept;
  } cases[] = {
      {"", "<A>", "<A>", true}, {"<>", "<A>", "<A>", true},   {"", "", "", true},
      {"", "<A>", "", false},   {"<B>", "<A>", "<A>", false}, {"<B>", "<A>", "<B>", true},
  };
  for (const auto& c : cases) {
    DrawnText before = MakeText("A", 0, 1, 1, 0), after = before;
    before.fontName = c.before;
    after.fontName = c.after;
    PromiseReport report = CheckPromise({before}, {after}, kFlipTypeUnknown, c.firstFont);
    EXPECT_EQ(report.Kept(), c.kept) << c.before << " / " << c.firstFont << " / " << c.after;
  }
}

// The entities of a hand-cut transfer file, counted by the plain scan.
EntityCounts Counted(const std::string& bytes) {
  return CountEntities(ScanTransfer(bytes));
}

TEST(PromiseCheck, AnAnswerMustGiveBackEveryEntityHandedOver) {
  const std::string handed = "hq\r\nlg0\r\nch 0 0 1 0 \"A\r\n0 0 10 0\r\nch 5 0 1 0 \"B\r\n";
  const struct {
    std::string answer;
    int leftOut;
    const char* words;  // "" when the count is right
  } cases[] = {
      {"hd\r\nch 0 0 1 0 \"A\r\n0 0 10 0\r\nch 5 0 1 0 \"B\r\n", 0, ""},
      {"hd\r\nch 0 0 1 0 \"A\r\nch 5 0 1 0 \"B\r\n", 0, "1 lost"},
      {"hd\r\nch 0 0 1 0 \"A\r\n", 0, "2 lost"},
      {"hd\r\nch 0 0 1 0 \"A\r\n0 0 10 0\r\n", 1, ""},  // "B" left out by design
      {"hd\r\nch 0 0 1 0 \"A\r\n0 0 10 0\r\n0 0 10 0\r\nch 5 0 1 0 \"B\r\n", 0, "1 more"},
  };
  for (const auto& c : cases) {
    PromiseReport report;
    report.leftOut = c.leftOut;
    CheckEntityCount(Counted(handed), Counted(c.answer), report);
    if (*c.words == '\0') {
      EXPECT_TRUE(report.Kept()) << report.broken.front();
    } else {
      ASSERT_EQ(report.broken.size(), 1u) << c.answer;
      EXPECT_NE(report.broken[0].find(c.words), std::string::npos) << report.broken[0];
    }
    EXPECT_EQ(report.handedOver, 3);
  }
}

TEST(PromiseCheck, ALossTheReaderCannotSeeIsCaught) {
  // An end-of-file mark in the middle: a reader that stops there sees only
  // "A", and so does a tool that answers with what it read.
  namespace fs = std::filesystem;
  const std::string unique = std::to_string(std::random_device{}());
  const fs::path handed = fs::temp_directory_path() / ("jwhost_promise_handed_" + unique);
  const fs::path answer = fs::temp_directory_path() / ("jwhost_promise_answer_" + unique);
  const std::string handedBytes = "hq\r\nch 0 0 1 0 \"A\r\n\x1A\r\n0 0 10 0\r\nch 5 0 1 0 \"B\r\n";
  const std::string answerBytes = "hd\r\nch 0 0 1 0 \"A\r\n";
  ASSERT_TRUE(WriteFileBytes(handed, handedBytes));
  ASSERT_TRUE(WriteFileBytes(answer, answerBytes));
  Drawing before, after;
  LoadDrawing(handed.string(), nullptr, before);
  LoadDrawing(answer.string(), &before.textTypes, after);
  PromiseReport report = CheckPromise(before.texts, after.texts, kFlipTypeUnknown);
  EXPECT_TRUE(report.Kept());  // the texts the reader saw all came back
  CheckEntityCount(Counted(handedBytes), Counted(answerBytes), report);
  ASSERT_FALSE(report.Kept());
  EXPECT_NE(report.broken[0].find("2 lost"), std::string::npos) << report.broken[0];
  fs::remove(handed);
  fs::remove(answer);
}

TEST(PromiseCheck, NonFiniteCoordinatesDoNotPass) {
  DrawnText t = MakeText("A", 0, 1, 1, 0);
  DrawnText nan = t;
  nan.x = std::nan("");
  EXPECT_FALSE(CheckPromise({t}, {nan}, kFlipTypeUnknown).Kept());
}

}  // namespace
