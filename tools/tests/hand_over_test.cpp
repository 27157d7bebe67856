// Cutting a drawing into what the host hands over and what it keeps: read
// back with the project's reader, the two parts together hold every entity of
// the drawing exactly once with all its attributes, and each part holds what
// the rules say.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "Drawing.h"
#include "HandOver.h"
#include "WorkFolder.h"

namespace fs = std::filesystem;

namespace {

Drawing Read(const std::string& bytes) {
  // A name of its own, as other test runs may share the folder.
  static const std::string name = "jwhost_hand_over_" + std::to_string(std::random_device{}());
  const fs::path file = fs::temp_directory_path() / name;
  EXPECT_TRUE(WriteFileBytes(file, bytes));
  Drawing d;
  LoadDrawing(file.string(), nullptr, d);
  fs::remove(file);
  return d;
}

std::string Line(const char* format, std::initializer_list<double> values) {
  std::string s = format;
  for (double v : values) {
    char b[32];
    std::snprintf(b, sizeof b, " %.17g", v);
    s += b;
  }
  return s;
}

// One line per entity with every value the picture and the check use.
std::vector<std::string> Entities(const Drawing& d) {
  std::vector<std::string> out;
  for (const auto& t : d.texts) {
    out.push_back(Line("text", {double(t.textKind), double(t.basePoint), double(t.textType),
                                t.width, t.height, t.spacing, t.x, t.y, t.dx, t.dy,
                                double(t.layerGroup), double(t.layer), double(t.colour),
                                double(t.zFlags), double(t.inLineTextUnit)}) +
                  " " + t.fontName + " " + t.text);
  }
  for (const auto& s : d.segments) out.push_back(Line("line", {s.x1, s.y1, s.x2, s.y2}));
  for (const auto& c : d.circles) {
    out.push_back(Line("circle", {c.cx, c.cy, c.radius, c.startAngle, c.endAngle, c.flatness}));
  }
  for (const auto& p : d.points) out.push_back(Line("point", {p.x, p.y}));
  for (const auto& s : d.solids) {
    std::string line = Line("solid", {s.values[0], s.values[2], s.values[7]});
    for (const auto& c : s.corners) line += Line("", {c[0], c[1]});
    out.push_back(line);
  }
  for (const auto& b : d.blocks) out.push_back(Line("block", {b.x, b.y}) + " " + b.name);
  return out;
}

std::string Sample() {
  const char* path = std::getenv("JWHOST_SAMPLE");
  if (path == nullptr) return {};
  return ReadFileBytes(path).value_or("");
}

struct Case {
  const char* name;
  HandOverRules rules;
  int selectedTexts;  // plain texts (85 in the sample), units (1) count as texts here
};

TEST(HandOver, ThePartsHoldEveryEntityOnceWithItsAttributes) {
  const std::string sample = Sample();
  if (sample.empty()) GTEST_SKIP() << "JWHOST_SAMPLE not set";
  const Drawing whole = Read(sample);
  const auto figure = EntityClass::kDimensionFigure;
  const Case cases[] = {
      {"texts, dimension figures kept out (#ht30)",
       {RangeSelection::kTextsOnly, true, {figure}},
       85},
      {"texts, dimension figures not kept out", {RangeSelection::kTextsOnly, true, {}}, 86},
      {"everything", {RangeSelection::kEverything, true, {}}, 86},
      {"everything but blocks, curves, dimension figures, solids",
       {RangeSelection::kEverything,
        true,
        {EntityClass::kBlock, EntityClass::kCurveLine, figure, EntityClass::kSolid}},
       85},
      {"nothing", {RangeSelection::kNothing, true, {}}, 0},
      {"texts of the write layer group only (the title block)",
       {RangeSelection::kTextsOnly, false, {figure}},
       10},
  };
  std::vector<std::string> all = Entities(whole);
  std::sort(all.begin(), all.end());
  for (const Case& c : cases) {
    const HandOverFiles cut = CutDrawing(sample, c.rules);
    const Drawing selection = Read(cut.selection), kept = Read(cut.kept);
    EXPECT_EQ(selection.texts.size(), size_t(c.selectedTexts)) << c.name;
    std::vector<std::string> parts = Entities(selection), rest = Entities(kept);
    parts.insert(parts.end(), rest.begin(), rest.end());
    std::sort(parts.begin(), parts.end());
    EXPECT_EQ(parts, all) << c.name;
    EXPECT_EQ(cut.selectedCounts.Total() + cut.keptCounts.Total(), cut.drawingCounts.Total());
    EXPECT_EQ(cut.selectedNotErased.Total(), 0);
    if (c.rules.range == RangeSelection::kTextsOnly) {
      EXPECT_EQ(selection.segments.size() + selection.circles.size() + selection.blocks.size(),
                c.rules.keptOut.empty() ? 1u : 0u)  // a dimension figure's line
          << c.name;
    }
  }
}

TEST(HandOver, UnderHt3ADimensionFigureIsHandedOverAndKeptUnderHt30Neither) {
  const std::string sample = Sample();
  if (sample.empty()) GTEST_SKIP() << "JWHOST_SAMPLE not set";
  const auto figure = EntityClass::kDimensionFigure;
  const struct {
    const char* name;
    HandOverRules rules;
    bool handedOver;
  } cases[] = {
      {"#ht3", {RangeSelection::kTextsOnly, true, {}, {figure}}, true},
      {"#ht30", {RangeSelection::kTextsOnly, true, {figure}, {}}, false},
  };
  for (const auto& c : cases) {
    const HandOverFiles cut = CutDrawing(sample, c.rules);
    const bool inSelection = cut.handedOver.find("\nmsg") != std::string::npos;
    EXPECT_EQ(inSelection, c.handedOver) << c.name;
    EXPECT_NE(cut.kept.find("\nmsg"), std::string::npos) << c.name;  // never erased
    EXPECT_EQ(cut.keptCounts.others, cut.drawingCounts.others) << c.name;
    EXPECT_EQ(cut.selectedNotErased.Total(), c.handedOver ? 1 : 0) << c.name;
  }
}

TEST(HandOver, AttributeLinesNoDirectiveAskedForAreNotHandedOver) {
  const std::string sample = Sample();
  if (sample.empty()) GTEST_SKIP() << "JWHOST_SAMPLE not set";
  HandOverRules rules{RangeSelection::kTextsOnly, true, {}};
  rules.basePoints = rules.zFlags = false;
  const HandOverFiles cut = CutDrawing(sample, rules);
  const Drawing handed = Read(cut.handedOver), selection = Read(cut.selection);
  ASSERT_EQ(handed.texts.size(), selection.texts.size());
  int anchored = 0, flagged = 0;
  for (size_t i = 0; i < handed.texts.size(); ++i) {
    EXPECT_EQ(handed.texts[i].basePoint, 0);
    EXPECT_EQ(handed.texts[i].zFlags, 0);
    EXPECT_EQ(handed.texts[i].text, selection.texts[i].text);
    anchored += selection.texts[i].basePoint != 0;
    flagged += selection.texts[i].zFlags != 0;
  }
  EXPECT_GT(anchored, 0);  // the selection keeps what the drawing says
  EXPECT_GT(flagged, 0);
}

}  // namespace
