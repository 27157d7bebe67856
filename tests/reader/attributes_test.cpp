// Attribute lines, indicated points and z flags: what each sets, the first
// line of a kind fixing the initial value, and the values stamped onto the
// next entity.
#include <gtest/gtest.h>

#include "tests/reader/reader_support.h"

namespace {

const TJwwCurrentAttributes& cur = currentAttributes;
const TJwwInitialAttributes& init = initialAttributes;

TEST(AttributeLines, GroupAndLayerAreOneHexDigit) {
  const struct {
    const char* token;
    int32_t value;
  } cases[] = {{"0", 0}, {"9", 9}, {"A", 10}, {"a", 10}, {"F", 15}, {"f", 15},
               {"G", 0}, {"", 0},  {"12", 1}, {"-1", 0}, {" 5", 0}};
  for (const auto& c : cases) {
    ReadLines({std::string("lg") + c.token, std::string("ly") + c.token});
    EXPECT_EQ(cur.curGroup, c.value) << c.token;
    EXPECT_EQ(cur.curLayer, c.value) << c.token;
  }
}

TEST(AttributeLines, GroupAndLayerValuesAndNames) {
  ReadLines({"lgA 1", "lg2", "ly3 7", "lynABC", "lgnG2"});
  EXPECT_EQ(jwwHeader.groupValues[10], 1);
  EXPECT_EQ(jwwHeader.layerValues[2 * 16 + 3], 7);
  EXPECT_EQ(jwwHeader.layerNames[35], "ABC");
  EXPECT_EQ(jwwHeader.groupNames[2], "G2");
  EXPECT_EQ(init.initialGroup, 10);  // the first "lg" only
  EXPECT_EQ(init.initialLayer, 3);
  ReadLines({"lg2", "ly3", "lyn ABC"});
  EXPECT_EQ(jwwHeader.layerNames[35], "");
  ReadLines({"lg2", "ly3", "lyn\"My layer"});
  EXPECT_EQ(jwwHeader.layerNames[35], "My layer");
}

TEST(AttributeLines, ColourLineTypeAndWidthKeepTheirFirstValue) {
  ReadLines({"lc10 5", "lc3 9", "lt2", "lt4", "lw3", "lw0"});
  EXPECT_EQ(init.initialColour, 10);
  EXPECT_EQ(cur.curColour, 3);
  EXPECT_EQ(cur.curSolidColour, 5);  // only colour 10 carries it
  EXPECT_EQ(init.initialLineType, 2);
  EXPECT_EQ(cur.curLineType, 4);
  EXPECT_EQ(init.initialLineWidth, 3);
  EXPECT_EQ(cur.curLineWidth, 0);
  EXPECT_TRUE(jwwHeader.lineWidthSeen);
  EXPECT_FALSE(attrPending[jaColour]);
  EXPECT_TRUE(attrPending[jaTextType]);
}

TEST(AttributeLines, FontNameTakesTheRestOfTheToken) {
  ReadLines({"cn$", "cn$MS Mincho", "cn\"$Meiryo UI"});
  EXPECT_EQ(init.initialFontName, "MS");  // the empty first name did not stick
  EXPECT_EQ(cur.curFontName, "Meiryo UI");
}

TEST(AttributeLines, TextTypeZeroCarriesTheFreeSize) {
  ReadLines({"cn0 4 5 0.5 3", "cn0 1 1 1 1"});
  EXPECT_EQ(init.initialTextType, 0);
  EXPECT_EQ(init.initialFreeWidth, 4);
  EXPECT_EQ(init.initialFreeHeight, 5);
  EXPECT_EQ(init.initialFreeSpacing, 0.5);
  EXPECT_EQ(init.initialFreeColour, 3);
  EXPECT_EQ(cur.curFreeWidth, 1);
  EXPECT_EQ(cur.curFreeColour, 1);

  ReadLines({"cn3 9 9 9 9", "cn0 4 5", "cn11 7 7 7 7"});
  EXPECT_EQ(init.initialTextType, 3);
  EXPECT_EQ(init.initialFreeWidth, 2.0);
  EXPECT_EQ(cur.curTextType, 11);
  EXPECT_EQ(cur.curFreeWidth, 2.0);  // neither a short line nor type 11 sets it
}

TEST(AttributeLines, BasePointIsOneDecimalDigitUpToEight) {
  const struct {
    const char* line;
    int32_t basePoint;
  } cases[] = {{"cc0", 0}, {"cc8", 8}, {"cc9", 0},  {"cc10", 1},
               {"cc", 0},  {"ccx", 0}, {"cc-1", 0}, {"cc5 7", 5}};
  for (const auto& c : cases) {
    ReadLines({"cc4", c.line});
    EXPECT_EQ(cur.curBasePoint, c.basePoint) << c.line;
  }
}

TEST(AttributeLines, PointColourGoesToPointsOnly) {
  ReadLines({"lc4", "pn6", "pt 1 2", "pt 1 2 3 4 5", "ci 0 0 1"});
  EXPECT_EQ(jwwPoints[0].head.colour, 6);
  EXPECT_EQ(jwwPointExs[0].head.colour, 6);
  EXPECT_EQ(jwwPointExs[0].pointCode, 5);
  EXPECT_EQ(jwwCircles[0].head.colour, 4);
}

TEST(AttributeLines, HeaderOfAnEntityCarriesTheCurrentAttributes) {
  ReadLines({"lg2", "ly3", "lc5", "lt6", "lw7", "z1", "z1", "z4", "hhp12", "1 2 3 4", "5 6 7 8"});
  const TJwwEntHead& h = jwwLines[0].head;
  EXPECT_EQ(h.layerGroup, 2);
  EXPECT_EQ(h.layer, 3);
  EXPECT_EQ(h.colour, 5);
  EXPECT_EQ(h.lineType, 6);
  EXPECT_EQ(h.lineWidth, 7);
  EXPECT_EQ(h.zFlags, 9);
  EXPECT_EQ(h.indicatedPointNo, 12);
  EXPECT_EQ(jwwLines[1].head.zFlags, 0);  // spent by the first entity
  EXPECT_EQ(jwwLines[1].head.indicatedPointNo, 0);
}

TEST(IndicatedPoints, NumberAndSnapSuffix) {
  const struct {
    const char* line;
    int32_t number;  // 0: nothing set
    int32_t snapKind;
  } cases[] =
      {
          {"hp5ln 1.5 2", 5, 2},  {"hp5 1.5 2", 5, 0},   {"hp7- 1.5 2", 7, 1},
          {"hp9ci 1.5 2", 9, 3},  {"hp9ch 1.5 2", 9, 4}, {"hp99 1.5 2", 99, 0},
          {"hp5ln- 1.5 2", 5, 2},  // the later find decides
          {"hp0 1.5 2", 0, 0},    {"hp100 1.5 2", 0, 0}, {"hp 1.5 2", 0, 0},
          {"hpx 1.5 2", 0, 0},    {"hp5 1.5", 0, 0},
      };
  for (const auto& c : cases) {
    ReadLines({c.line});
    EXPECT_EQ(jwwHeader.indicatedPointCount, c.number ? 1 : 0) << c.line;
    if (!c.number) continue;
    const TJwwIndicatedPoint& p = jwwHeader.indicatedPoints[c.number];
    EXPECT_TRUE(p.isSet) << c.line;
    EXPECT_EQ(p.x, 1.5) << c.line;
    EXPECT_EQ(p.y, 2) << c.line;
    EXPECT_EQ(p.snapKind, c.snapKind) << c.line;
  }
}

TEST(IndicatedPoints, SecondLineOverwritesAndStillCounts) {
  ReadLines({"hp5 1 2", "hp5 3 4"});
  EXPECT_EQ(jwwHeader.indicatedPointCount, 2);
  EXPECT_EQ(jwwHeader.indicatedPoints[5].x, 3);
}

TEST(IndicatedPoints, NumberForTheNextEntity) {
  const struct {
    const char* line;
    int32_t number;
  } cases[] = {{"hhp3ci", 3}, {"hhp3-", 0},    {"hhp12", 12}, {"hhp3ln", 3},
               {"hhpln", 0},  {"hhp200", 200}, {"hhp", 0},    {"hhp7chx", 7}};
  for (const auto& c : cases) {
    ReadLines({c.line});
    EXPECT_EQ(cur.curIndicatedPointNo, c.number) << c.line;
  }
}

}  // namespace
