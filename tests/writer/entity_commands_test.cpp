// The command functions on their degenerate and substituted cases.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "tests/writer/writer_support.h"

namespace {

// The command functions' lines go straight to the output lines here.
TJwwLineSink& out = JwwOutputLinesSink();

struct CommandCase {
  const char* name;
  std::function<void()> call;
  Lines expected;
};

void RunCases(const std::vector<CommandCase>& cases) {
  for (const CommandCase& c : cases) {
    FreshWriter();
    EXPECT_EQ(LinesOf(c.call), c.expected) << c.name;
  }
}

TEST(CommandFunctions, LinesPointsCirclesArcs) {
  RunCases({
      {"line: same end points", [] { PutLine(1, 2, 1, 2, out); }, {}},
      {"line: ends within 1e-8", [] { PutLine(0, 0, 0.9e-8, -0.9e-8, out); }, {}},
      {"line: 1e-8 apart is not coinciding", [] { PutLine(0, 0, 1e-8, 0, out); }, {"0 0 1E-8 0"}},
      {"line: one coordinate differs", [] { PutLine(0, 5, 0, 7.5, out); }, {"0 5 0 7.5"}},
      {"point", [] { PutPoint(1.5, -2, out); }, {"pt 1.5 -2"}},
      {"extended point as given", [] { PutPointEx(1, 2, 3, 4, 5, out); }, {"pt 1 2 3 4 5"}},
      {"extended point: zero value1 is 1",
       [] { PutPointEx(1, 2, 5e-9, 0, 0, out); },
       {"pt 1 2 1 0 0"}},
      {"extended point: code 12 is -3", [] { PutPointEx(0, 0, 2, 0, 12, out); }, {"pt 0 0 2 0 -3"}},
      {"extended point: code -8 is -3", [] { PutPointEx(0, 0, 2, 0, -8, out); }, {"pt 0 0 2 0 -3"}},
      {"extended point: codes -7 and 11 pass",
       [] {
         PutPointEx(0, 0, 2, 0, -7, out);
         PutPointEx(0, 0, 2, 0, 11, out);
       },
       {"pt 0 0 2 0 -7", "pt 0 0 2 0 11"}},
      {"circle: radius 0", [] { PutCircle(1, 2, 0, out); }, {}},
      {"circle: negative radius", [] { PutCircle(1, 2, -5, out); }, {}},
      {"circle: radius 1e-8", [] { PutCircle(1, 2, 1e-8, out); }, {}},
      {"circle: radius 2e-8", [] { PutCircle(1, 2, 2e-8, out); }, {"ci 1 2 2E-8"}},
      {"arc: flatness 0 whatever its angles", [] { PutArc(0, 0, 5, 0, 90, 0, 0, out); }, {}},
      {"arc: flatness within 1e-8", [] { PutArc(0, 0, 5, 0, 90, -1e-8, 0, out); }, {}},
      {"arc: radius 0", [] { PutArc(0, 0, 0, 0, 90, 1, 0, out); }, {}},
      {"arc: negative flatness is written",
       [] { PutArc(1, 2, 5, 0.5, 1.5, -0.5, 0.25, out); },
       {"ci 1 2 5 0.5 1.5 -0.5 0.25"}},
  });
}

TEST(CommandFunctions, Texts) {
  RunCases({
      {"direction (0, 0)", [] { PutText(0, "ABC", 1, 2, 0, 0, out); }, {}},
      {"direction within 1e-8", [] { PutText(0, "ABC", 1, 2, 1e-8, -1e-8, out); }, {}},
      {"direction (0, 5e-8)",
       [] { PutText(0, "ABC", 1, 2, 0, 5e-8, out); },
       {"ch 1 2 0 5E-8 \"", "ABC"}},
      {"only blanks and control bytes",
       [] { PutText(0, " \x81\x40\t\x01 \x81\x40", 1, 2, 1, 0, out); },
       {}},
      {"empty", [] { PutText(0, "", 1, 2, 1, 0, out); }, {}},
      {"a lone lead byte at the end is not blank",
       [] { PutText(0, " \x82", 1, 2, 1, 0, out); },
       {"ch 1 2 1 0 \"", " \x82"}},
      {"half-width katakana is not blank",
       [] { PutText(0, "\xB1", 1, 2, 1, 0, out); },
       {"ch 1 2 1 0 \"", "\xB1"}},
      {"a trail byte 0x40 is not a full-width blank",
       [] { PutText(0, "\x83\x40", 1, 2, 1, 0, out); },
       {"ch 1 2 1 0 \"", "\x83\x40"}},
      {"written exactly as held, quote at the end included",
       [] { PutText(0, "  say \"hi\"", 1, 2, 1, 0, out); },
       {"ch 1 2 1 0 \"", "  say \"hi\""}},
  });
}

TEST(CommandFunctions, TextKeywordByKind) {
  const struct {
    int32_t kind;
    const char* keyword;
  } cases[] = {{0, "ch"}, {1, "cv"}, {2, "cs"}, {3, "cr"}, {4, "co"},  {5, "cp"},
               {6, "ct"}, {7, "ck"}, {8, "cz"}, {9, "c2"}, {10, "ch"}, {-1, "ch"}};
  for (const auto& c : cases) {
    FreshWriter();
    Lines lines = LinesOf([&] { PutText(c.kind, "A", 100, 50, 1, 0, out); });
    EXPECT_EQ(lines, (Lines{std::string(c.keyword) + " 100 50 1 0 \"", "A"})) << c.kind;
  }
}

TEST(CommandFunctions, LineTextUnits) {
  RunCases({
      {"zero-length line: not even msg", [] { PutLineText("T", 1, 1, 1, 1, 0, 0, 1, 0, out); }, {}},
      {"zero direction", [] { PutLineText("T", 0, 0, 1, 1, 0, 0, 0, 0, out); }, {}},
      {"with its text",
       [] { PutLineText("T", 0, 0, 3, 4, 1, 2, 1, 0, out); },
       {"msg", "0 0 3 4", "cs 1 2 1 0 \"", "T"}},
      {"blank text: the length",
       [] { PutLineText(" \x81\x40", 0, 0, 3, 4, 1, 2, 1, 0, out); },
       {"msg", "0 0 3 4", "cs 1 2 1 0 \"", "5"}},
      {"blank text: the length to eight decimals",
       [] { PutLineText("", 0, 0, 1.0 / 3, 0, 1, 2, 1, 0, out); },
       {"msg", "0 0 0.333333333333333 0", "cs 1 2 1 0 \"", "0.33333333"}},
      {"blank text: a huge length does not overflow",
       [] { PutLineText("", 0, 0, 1e300, 0, 1, 2, 1, 0, out); },
       {"msg", "0 0 1E300 0", "cs 1 2 1 0 \"", "1E300"}},
  });
}

TEST(CommandFunctions, Solids) {
  const double sc[7] = {0, 0, 5, 1, 0, 360, 0};
  const double scZeroValue4[7] = {0, 0, 5, 0, 0, 360, 0};
  const double scTinyValue3[7] = {0, 0, 1e-8, 1, 0, 360, 0};
  const double so[8] = {0, 0, 5, 1, 0, 360, 0, 2};
  const double soValue8AtLimit[8] = {0, 0, 5, 1, 0, 360, 0, 5 - 1e-8};
  const double soValue8Zero[8] = {0, 0, 5, 1, 0, 360, 0, 0};
  const double soValue4Zero[8] = {0, 0, 5, 0, 0, 360, 0, 2};
  RunCases({
      {"two-point: coinciding", [] { PutSolid2(1, 1, 1, 1, out); }, {}},
      {"two-point", [] { PutSolid2(0, 0, 1, 1, out); }, {"sl 0 0 1 1"}},
      {"three-point: p1 = p2", [] { PutSolid3(0, 0, 0, 0, 1, 1, out); }, {}},
      {"three-point: p2 = p3", [] { PutSolid3(0, 0, 1, 1, 1, 1, out); }, {}},
      {"three-point: p3 = p1", [] { PutSolid3(0, 0, 1, 1, 0, 0, out); }, {}},
      {"three-point", [] { PutSolid3(0, 0, 1, 0, 1, 1, out); }, {"sl 0 0 1 0 1 1"}},
      {"sc: codes -1, 0, 5 and 100",
       [&] {
         for (int code : {-1, 0, 5, 100}) PutSolidSc(sc, code, out);
       },
       {"sc 0 0 5 1 0 360 0 -1", "sc 0 0 5 1 0 360 0 0", "sc 0 0 5 1 0 360 0 5",
        "sc 0 0 5 1 0 360 0 100"}},
      {"sc: code 1", [&] { PutSolidSc(sc, 1, out); }, {}},
      {"sc: value 4 zero", [&] { PutSolidSc(scZeroValue4, 0, out); }, {}},
      {"sc: value 3 not positive", [&] { PutSolidSc(scTinyValue3, 0, out); }, {}},
      {"se: codes 0 and 100",
       [&] {
         PutSolidSe(sc, 0, out);
         PutSolidSe(sc, 100, out);
       },
       {"se 0 0 5 1 0 360 0 0", "se 0 0 5 1 0 360 0 100"}},
      {"se: code 5", [&] { PutSolidSe(sc, 5, out); }, {}},
      {"se: code -1", [&] { PutSolidSe(sc, -1, out); }, {}},
      {"so and sg",
       [&] {
         PutSolidSo(so, out);
         PutSolidSg(so, out);
       },
       {"so 0 0 5 1 0 360 0 2", "sg 0 0 5 1 0 360 0 2"}},
      {"so and sg: value 8 not below value 3 - 1e-8",
       [&] {
         PutSolidSo(soValue8AtLimit, out);
         PutSolidSg(soValue8AtLimit, out);
       },
       {}},
      {"so and sg: value 8 zero",
       [&] {
         PutSolidSo(soValue8Zero, out);
         PutSolidSg(soValue8Zero, out);
       },
       {}},
      {"so and sg: value 4 zero",
       [&] {
         PutSolidSo(soValue4Zero, out);
         PutSolidSg(soValue4Zero, out);
       },
       {}},
  });
}

// Corners of the square (0,0) (10,0) (10,10) (0,10), with one corner moved
// onto another for each reduction.
TEST(CommandFunctions, FourPointSolidReductions) {
  const struct {
    const char* name;
    double p[8];
    Lines expected;
  } cases[] = {
      {"none coincide", {0, 0, 10, 0, 10, 10, 0, 10}, {"sl 0 0 10 0 10 10 0 10"}},
      {"p1 = p2: p1 p3 p4", {0, 0, 0, 0, 10, 10, 0, 10}, {"sl 0 0 10 10 0 10"}},
      {"p1 = p3: nothing", {0, 0, 10, 0, 0, 0, 0, 10}, {}},
      {"p1 = p4: p1 p2 p3", {0, 0, 10, 0, 10, 10, 0, 0}, {"sl 0 0 10 0 10 10"}},
      {"p2 = p3: p1 p2 p4", {0, 0, 10, 0, 10, 0, 0, 10}, {"sl 0 0 10 0 0 10"}},
      {"p2 = p4: nothing", {0, 0, 10, 0, 10, 10, 10, 0}, {}},
      {"p3 = p4: p1 p2 p3", {0, 0, 10, 0, 10, 10, 10, 10}, {"sl 0 0 10 0 10 10"}},
      {"p3 within 1e-8 of p4", {0, 0, 10, 0, 10, 10, 10 + 5e-9, 10}, {"sl 0 0 10 0 10 10"}},
      {"three corners coincide: nothing", {0, 0, 0, 0, 10, 10, 0, 0}, {}},
      {"p3 = p4 on the line p1 p2 is still three corners",
       {0, 0, 10, 0, 5, 0, 5, 0},
       {"sl 0 0 10 0 5 0"}},
  };
  for (const auto& c : cases) {
    FreshWriter();
    const double* p = c.p;
    EXPECT_EQ(LinesOf([&] { PutSolid4(p[0], p[1], p[2], p[3], p[4], p[5], p[6], p[7], out); }),
              c.expected)
        << c.name;
  }
}

}  // namespace
