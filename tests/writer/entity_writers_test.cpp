// The entity writers: attribute lines per kind and their order, the writer's
// suppression across entities, and z lines only for entities that are written.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/writer/writer_support.h"

namespace {

const std::string kFontA = "<A>";
const std::string kFontLineA = "cn\"$<A>";

// Every attribute distinct, so each line shows where it came from.
TJwwEntHead Distinct() {
  return Head(1, 2, 3, 4, 5, 1);
}

TJwwEntText DistinctText(std::string_view text) {
  TJwwEntText t = MakeText(Distinct(), 0, text, 1, 2);
  t.textType = 0;
  t.width = t.height = 2.5;
  t.basePoint = 4;
  t.fontName = JwwStoreShortStr(kFontA);
  return t;
}

TJwwEntLineText LineText(std::string_view text, double x2, double y2) {
  TJwwEntLineText u{};
  u.head = Distinct();
  u.line.head = Head(1, 2, 6, 7, 8, 0);
  u.line.x2 = x2;
  u.line.y2 = y2;
  u.text = MakeText(Distinct(), 0, text, 1, 2);
  u.text.textType = 2;
  u.text.basePoint = 1;
  u.text.fontName = JwwStoreShortStr(kFontA);
  return u;
}

struct WriterCase {
  const char* name;
  std::function<void()> write;  // adds one record and writes it
  Lines expected;
};

void RunCases(const std::vector<WriterCase>& cases) {
  for (const WriterCase& c : cases) {
    FreshWriter();
    jwwHeader.lineWidthSeen = true;
    EXPECT_EQ(LinesOf(c.write), c.expected) << c.name;
  }
}

TEST(EntityWriters, AttributeLinesOfEachKindInOrder) {
  const double sc[7] = {0, 0, 5, 1, 0, 360, 0};
  const double so[8] = {0, 0, 5, 1, 0, 360, 0, 2};
  RunCases({
      {"line: pen and width",
       [] {
         WriteLine(AddRecord(jwwLines, jekLine, TJwwEntLine{Distinct(), 0, 0, 0, 1, 1}));
       },
       {"lg1", "ly2", "lc3", "lt4", "lw5", "z1", "0 0 1 1"}},
      {"circle",
       [] {
         WriteCircle(AddRecord(jwwCircles, jekCircle, TJwwEntCircle{Distinct(), 0, 0, 1}));
       },
       {"lg1", "ly2", "lc3", "lt4", "lw5", "z1", "ci 0 0 1"}},
      {"arc",
       [] {
         WriteArc(AddRecord(jwwArcs, jekArc, TJwwEntArc{Distinct(), 0, 0, 1, 0, 90, 1, 0}));
       },
       {"lg1", "ly2", "lc3", "lt4", "lw5", "z1", "ci 0 0 1 0 90 1 0"}},
      {"text: size with its colour, base point, font; no pen",
       [] { WriteText(AddRecord(jwwTexts, jekText, DistinctText("T"))); },
       {"lg1", "ly2", "cn0 2.5 2.5 0 3", "cc4", kFontLineA, "z1", "ch 1 2 1 0 \"", "T"}},
      {"point: point colour and width",
       [] {
         WritePoint(AddRecord(jwwPoints, jekPoint, TJwwEntPoint{Distinct(), 1, 2}));
       },
       {"lg1", "ly2", "pn3", "lw5", "z1", "pt 1 2"}},
      {"extended point",
       [] {
         WritePointEx(
             AddRecord(jwwPointExs, jekPointEx, TJwwEntPointEx{Distinct(), 1, 2, 3, 4, 5}));
       },
       {"lg1", "ly2", "pn3", "lw5", "z1", "pt 1 2 3 4 5"}},
      {"line and text: pen from the line, look from the text",
       [] { WriteLineText(AddRecord(jwwLineTexts, jekLineText, LineText("T", 3, 4))); },
       {"lg1", "ly2", "lc6", "lt7", "lw8", "cn2", "cc1", kFontLineA, "z1", "msg", "0 0 3 4",
        "cs 1 2 1 0 \"", "T"}},
      {"line and text: z lines of the line part and of the unit both go out",
       [] {
         TJwwEntLineText u = LineText("T", 3, 4);
         u.head.zFlags = 2;
         u.line.head.zFlags = 8;
         WriteLineText(AddRecord(jwwLineTexts, jekLineText, u));
       },
       {"lg1", "ly2", "lc6", "lt7", "lw8", "cn2", "cc1", kFontLineA, "z2", "z4", "msg", "0 0 3 4",
        "cs 1 2 1 0 \"", "T"}},
      {"two-point solid: colour and width",
       [] {
         WriteSolid2(AddRecord(jwwSolid2s, jekSolid2, TJwwEntSolid2{Distinct(), 0, 0, 0, 1, 1}));
       },
       {"lg1", "ly2", "lc3", "lw5", "z1", "sl 0 0 1 1"}},
      {"three-point solid of colour 10: its solid colour, no width",
       [] {
         TJwwEntSolid3 s{Head(1, 2, 10, 4, 5, 1), 255, 0, 0, 1, 0, 1, 1};
         WriteSolid3(AddRecord(jwwSolid3s, jekSolid3, s));
       },
       {"lg1", "ly2", "lc10 255", "z1", "sl 0 0 1 0 1 1"}},
      {"four-point solid",
       [] {
         TJwwEntSolid4 s{Distinct(), 0, 0, 0, 1, 0, 1, 1, 0, 1};
         WriteSolid4(AddRecord(jwwSolid4s, jekSolid4, s));
       },
       {"lg1", "ly2", "lc3", "z1", "sl 0 0 1 0 1 1 0 1"}},
      {"sc solid: no width",
       [&] {
         TJwwEntSolidSc s{Distinct(), 0, {}, 5};
         std::copy(sc, sc + 7, s.values);
         WriteSolidSc(AddRecord(jwwSolidScs, jekSolidSc, s));
       },
       {"lg1", "ly2", "lc3", "z1", "sc 0 0 5 1 0 360 0 5"}},
      {"se solid: with width",
       [&] {
         TJwwEntSolidSe s{Distinct(), 0, {}, 100};
         std::copy(sc, sc + 7, s.values);
         WriteSolidSe(AddRecord(jwwSolidSes, jekSolidSe, s));
       },
       {"lg1", "ly2", "lc3", "lw5", "z1", "se 0 0 5 1 0 360 0 100"}},
      {"so and sg solids",
       [&] {
         TJwwEntSolidSo s{Distinct(), 0, {}};
         std::copy(so, so + 8, s.values);
         WriteSolidSo(AddRecord(jwwSolidSos, jekSolidSo, s));
         WriteSolidSg(AddRecord(jwwSolidSgs, jekSolidSg, s));
       },
       {"lg1", "ly2", "lc3", "z1", "so 0 0 5 1 0 360 0 2", "z1", "sg 0 0 5 1 0 360 0 2"}},
  });
}

TEST(EntityWriters, WorkedExampleOfThreeLines) {
  FreshWriter();
  auto line = [](int32_t layer, double x1, double y1, double x2, double y2) {
    WriteLine(AddRecord(jwwLines, jekLine, TJwwEntLine{Head(0, layer, 5, 1), 0, x1, y1, x2, y2}));
  };
  EXPECT_EQ(LinesOf([&] { line(2, 0, 0, 10, 0); }),
            (Lines{"lg0", "ly2", "lc5", "lt1", "0 0 10 0"}));
  EXPECT_EQ(LinesOf([&] { line(2, 10, 0, 10, 10); }), (Lines{"10 0 10 10"}));
  EXPECT_EQ(LinesOf([&] { line(3, 5, 5, 5, 5); }), (Lines{"ly3"}));
}

// An entity that its command leaves out still writes its attribute lines but
// no z lines; the next entity gets none of them.
TEST(EntityWriters, NoZLinesForAnEntityLeftOut) {
  const double scBadCode[7] = {0, 0, 5, 1, 0, 360, 0};
  const double soBad[8] = {0, 0, 5, 1, 0, 360, 0, 5};
  const TJwwEntHead z = Head(0, 0, 1, 1, 0, 31);
  const WriterCase cases[] = {
      {"zero-length line",
       [&] {
         WriteLine(AddRecord(jwwLines, jekLine, TJwwEntLine{z, 0, 1, 1, 1, 1}));
       },
       {"lg0", "ly0", "lc1", "lt1", "lw0"}},
      {"circle of radius 0",
       [&] {
         WriteCircle(AddRecord(jwwCircles, jekCircle, TJwwEntCircle{z, 0, 0, 0}));
       },
       {"lg0", "ly0", "lc1", "lt1", "lw0"}},
      {"flat arc",
       [&] {
         WriteArc(AddRecord(jwwArcs, jekArc, TJwwEntArc{z, 0, 0, 1, 0, 90, 0, 0}));
       },
       {"lg0", "ly0", "lc1", "lt1", "lw0"}},
      {"blank text",
       [&] { WriteText(AddRecord(jwwTexts, jekText, MakeText(z, 0, " \x81\x40", 0, 0))); },
       {"lg0", "ly0", "cn1", "cc0", kDefaultFontLine}},
      {"text without direction",
       [&] { WriteText(AddRecord(jwwTexts, jekText, MakeText(z, 0, "A", 0, 0, 0, 0))); },
       {"lg0", "ly0", "cn1", "cc0", kDefaultFontLine}},
      {"line and text of zero length",
       [&] {
         TJwwEntLineText u{};
         u.head = z;
         u.line.head = z;
         u.text = MakeText(z, 2, "A", 0, 0);
         WriteLineText(AddRecord(jwwLineTexts, jekLineText, u));
       },
       {"lg0", "ly0", "lc1", "lt1", "lw0", "cn1", "cc0", kDefaultFontLine}},
      {"two-point solid",
       [&] {
         WriteSolid2(AddRecord(jwwSolid2s, jekSolid2, TJwwEntSolid2{z, 0, 1, 1, 1, 1}));
       },
       {"lg0", "ly0", "lc1", "lw0"}},
      {"three-point solid",
       [&] {
         TJwwEntSolid3 s{z, 0, 0, 0, 1, 1, 0, 0};
         WriteSolid3(AddRecord(jwwSolid3s, jekSolid3, s));
       },
       {"lg0", "ly0", "lc1"}},
      {"four-point solid with p1 = p3",
       [&] {
         TJwwEntSolid4 s{z, 0, 0, 0, 1, 0, 0, 0, 0, 1};
         WriteSolid4(AddRecord(jwwSolid4s, jekSolid4, s));
       },
       {"lg0", "ly0", "lc1"}},
      {"four-point solid reduced to three keeps its z lines",
       [&] {
         TJwwEntSolid4 s{z, 0, 0, 0, 1, 0, 1, 1, 1, 1};
         WriteSolid4(AddRecord(jwwSolid4s, jekSolid4, s));
       },
       {"lg0", "ly0", "lc1", "z1", "z2", "z3", "z5", "sl 0 0 1 0 1 1"}},
      {"sc with code 1",
       [&] {
         TJwwEntSolidSc s{z, 0, {}, 1};
         std::copy(scBadCode, scBadCode + 7, s.values);
         WriteSolidSc(AddRecord(jwwSolidScs, jekSolidSc, s));
       },
       {"lg0", "ly0", "lc1"}},
      {"se with code 5",
       [&] {
         TJwwEntSolidSe s{z, 0, {}, 5};
         std::copy(scBadCode, scBadCode + 7, s.values);
         WriteSolidSe(AddRecord(jwwSolidSes, jekSolidSe, s));
       },
       {"lg0", "ly0", "lc1", "lw0"}},
      {"so and sg with value 8 = value 3",
       [&] {
         TJwwEntSolidSo s{z, 0, {}};
         std::copy(soBad, soBad + 8, s.values);
         WriteSolidSo(AddRecord(jwwSolidSos, jekSolidSo, s));
         WriteSolidSg(AddRecord(jwwSolidSgs, jekSolidSg, s));
       },
       {"lg0", "ly0", "lc1"}},
  };
  for (const WriterCase& c : cases) {
    FreshWriter();
    jwwHeader.lineWidthSeen = true;
    EXPECT_EQ(LinesOf(c.write), c.expected) << c.name;
    // The next entity, without z flags, gets no z line.
    Lines next = LinesOf([] {
      WriteLine(AddRecord(jwwLines, jekLine, TJwwEntLine{Head(0, 0, 1), 0, 0, 0, 1, 0}));
    });
    ASSERT_FALSE(next.empty());
    EXPECT_EQ(next.back(), "0 0 1 0") << c.name;
    for (const std::string& line : next) EXPECT_NE(line[0], 'z') << c.name;
  }
}

}  // namespace
