// The attribute emitters: which calls write a line, which are suppressed, and
// the value adjustments of each emitter.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/writer/writer_support.h"

namespace {

struct EmitterCase {
  const char* name;
  std::function<void()> calls;  // run on a fresh writer
  Lines expected;
};

void RunCases(const std::vector<EmitterCase>& cases) {
  for (const EmitterCase& c : cases) {
    FreshWriter();
    c.calls();
    EXPECT_EQ(OutputLines(), c.expected) << c.name;
  }
}

TEST(AttributeEmitters, FirstUseWritesStartValuesAndRepeatsAreSuppressed) {
  auto everyAttribute = [] {
    PutLayerGroup(0);
    PutLayer(0);
    PutColour(1);
    PutLineType(1);
    PutBasePoint(0);
    PutPointColour(1);
    PutTextType(1, 2, 3, 3, 0);
    PutFontName(kDefaultFont);
  };
  const Lines firstLines = {"lg0", "ly0", "lc1", "lt1", "cc0", "pn1", "cn1", kDefaultFontLine};
  RunCases({
      {"first use", everyAttribute, firstLines},
      {"second use of equal values",
       [&] {
         everyAttribute();
         everyAttribute();
       },
       firstLines},
      {"reset makes everything pending again",
       [&] {
         everyAttribute();
         ResetWriterState();
         everyAttribute();
       },
       [&] {
         Lines twice = firstLines;
         twice.insert(twice.end(), firstLines.begin(), firstLines.end());
         return twice;
       }()},
      {"changed values are written",
       [] {
         PutColour(1);
         PutColour(5);
         PutLineType(1);
         PutLineType(2);
         PutPointColour(3);
         PutPointColour(3);
       },
       {"lc1", "lc5", "lt1", "lt2", "pn3"}},
  });
}

TEST(AttributeEmitters, LayerGroupAndLayer) {
  RunCases({
      {"a new group brings the layer line even for the same layer",
       [] {
         PutLayerGroup(2);
         PutLayer(3);
         PutLayerGroup(5);
         PutLayer(3);
       },
       {"lg2", "ly3", "lg5", "ly3"}},
      {"the same group does not",
       [] {
         PutLayerGroup(2);
         PutLayer(3);
         PutLayerGroup(2);
         PutLayer(3);
         PutLayer(4);
       },
       {"lg2", "ly3", "ly4"}},
      {"hex digits",
       [] {
         PutLayerGroup(10);
         PutLayer(15);
       },
       {"lgA", "lyF"}},
  });
}

TEST(AttributeEmitters, LineWidth) {
  RunCases({
      {"no lw line in the input: never written",
       [] {
         PutLineWidth(0);
         PutLineWidth(5);
         PutLineWidth(-1);
       },
       {}},
      {"out of range becomes 0, -1 the input's first width",
       [] {
         jwwHeader.lineWidthSeen = true;
         initialAttributes.initialLineWidth = 7;
         PutLineWidth(-1);
         PutLineWidth(30001);
         PutLineWidth(-5);  // also 0: suppressed
         PutLineWidth(30000);
         PutLineWidth(7);
       },
       {"lw7", "lw0", "lw30000", "lw7"}},
      {"-1 with an out-of-range first width",
       [] {
         jwwHeader.lineWidthSeen = true;
         initialAttributes.initialLineWidth = 40000;
         PutLineWidth(-1);
       },
       {"lw0"}},
  });
}

TEST(AttributeEmitters, BasePointOutOfRangeIsZero) {
  RunCases({
      {"9 is 0", [] { PutBasePoint(9); }, {"cc0"}},
      {"-1 is 0 and equal to a following 0",
       [] {
         PutBasePoint(-1);
         PutBasePoint(0);
         PutBasePoint(8);
       },
       {"cc0", "cc8"}},
  });
}

TEST(AttributeEmitters, TextType) {
  RunCases({
      {"a fixed type ignores its size",
       [] {
         PutTextType(3, 2, 3, 3, 0);
         PutTextType(3, 5, 7, 8, 1);
       },
       {"cn3"}},
      {"a free size once, then on each change",
       [] {
         PutTextType(0, 1, 2.5, 2.5, 0);
         PutTextType(0, 1, 2.5, 2.5, 0);
         PutTextType(0, 1, 3, 2.5, 0);
         PutTextType(0, 1, 3, 4, 0);
         PutTextType(0, 1, 3, 4, 0.5);
         PutTextType(0, 6, 3, 4, 0.5);
       },
       {"cn0 2.5 2.5 0 1", "cn0 3 2.5 0 1", "cn0 3 4 0 1", "cn0 3 4 0.5 1", "cn0 3 4 0.5 6"}},
      {"a fixed type keeps the last free size",
       [] {
         PutTextType(0, 1, 2.5, 2.5, 0);
         PutTextType(4, 1, 9, 9, 9);
         PutTextType(0, 1, 2.5, 2.5, 0);
       },
       {"cn0 2.5 2.5 0 1", "cn4", "cn0 2.5 2.5 0 1"}},
      {"a free size equal to the start values is still written first",
       [] { PutTextType(0, 1, 2, 2, 0); },
       {"cn0 2 2 0 1"}},
      {"types 11 and -1 fall back to the input's first type",
       [] {
         initialAttributes.initialTextType = 4;
         PutTextType(11, 1, 1, 1, 1);
         PutTextType(-1, 1, 1, 1, 1);
         PutTextType(4, 1, 1, 1, 1);
       },
       {"cn4"}},
      {"a first type 0 brings the first free size with it",
       [] {
         initialAttributes.initialTextType = 0;
         initialAttributes.initialFreeWidth = 1.5;
         initialAttributes.initialFreeHeight = 1.25;
         initialAttributes.initialFreeSpacing = 0.5;
         initialAttributes.initialFreeColour = 3;
         PutTextType(11, 9, 9, 9, 9);
         PutTextType(0, 3, 1.5, 1.25, 0.5);
       },
       {"cn0 1.5 1.25 0.5 3"}},
  });
}

TEST(AttributeEmitters, FontName) {
  const std::string gothic = "<\x83\x53\x83\x56\x83\x62\x83\x4E>";  // "<ゴシック>"
  RunCases({
      {"compared byte for byte",
       [&] {
         PutFontName(gothic);
         PutFontName(gothic);
         PutFontName("<A>");
       },
       {"cn\"$" + gothic, "cn\"$<A>"}},
      {"empty and <> stand for the input's first font",
       [&] {
         initialAttributes.initialFontName = gothic;
         PutFontName("");
         PutFontName("<>");
         PutFontName(gothic);
       },
       {"cn\"$" + gothic}},
      {"with no first font: the keyword alone, once",
       [] {
         PutFontName("<>");
         PutFontName("");
         PutFontName("<A>");
         PutFontName("");
       },
       {"cn\"$", "cn\"$<A>", "cn\"$"}},
  });
}

TEST(AttributeEmitters, LongFontNameIsCutOnACharacterBoundary) {
  FreshWriter();
  std::string name;
  for (int i = 0; i < 150; ++i) name += "\x83\x53";  // 300 bytes of two-byte characters
  PutFontName(name);
  ASSERT_EQ(OutputLineCount(), 1);
  const std::string line = OutputLines()[0];
  EXPECT_EQ(line.size(), 254u);  // 4 keyword bytes and 125 whole characters
  EXPECT_EQ(line, "cn\"$" + name.substr(0, 250));
  EXPECT_EQ(currentAttributes.curFontName, name);  // the value given is what counts as written
  PutFontName(name);
  EXPECT_EQ(OutputLineCount(), 1);
}

TEST(AttributeEmitters, SolidColour) {
  RunCases({
      {"first use and repeat",
       [] {
         PutSolidColour(5);
         PutSolidColour(5);
         PutColour(10);  // already 10 by the solid colour line
       },
       {"lc10 5"}},
      {"after another colour the solid colour is written again",
       [] {
         PutSolidColour(5);
         PutColour(3);
         PutSolidColour(5);
       },
       {"lc10 5", "lc3", "lc10 5"}},
      {"lc10 alone counts as the solid colour last written",
       [] {
         PutColour(10);
         PutSolidColour(0);  // equal to the start value
         PutSolidColour(6);
       },
       {"lc10", "lc10 6"}},
      {"out of range is 0",
       [] {
         PutSolidColour(16777216);
         PutSolidColour(-1);
         PutSolidColour(16777215);
       },
       {"lc10 0", "lc10 16777215"}},
      {"a solid colour line sets the colour to 10",
       [] {
         PutColour(1);
         PutSolidColour(7);
         PutColour(1);
       },
       {"lc1", "lc10 7", "lc1"}},
  });
}

TEST(AttributeEmitters, ZFlagsHaveNoState) {
  const struct {
    int32_t flags;
    Lines expected;
  } cases[] = {
      {0, {}},
      {1, {"z1"}},
      {8, {"z4"}},
      {16, {"z5"}},
      {24, {"z5"}},
      {31, {"z1", "z2", "z3", "z5"}},
      {15, {"z1", "z2", "z3", "z4"}},
      {32 | 64 | 2, {"z2"}},
      {-1, {"z1", "z2", "z3", "z5"}},
  };
  for (const auto& c : cases) {
    FreshWriter();
    PutZFlags(c.flags);
    PutZFlags(c.flags);
    Lines twice = c.expected;
    twice.insert(twice.end(), c.expected.begin(), c.expected.end());
    EXPECT_EQ(OutputLines(), twice) << c.flags;
  }
}

}  // namespace
