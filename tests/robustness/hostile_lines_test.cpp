// Hostile bytes inside otherwise ordinary transfer files: every byte value,
// lone CRs, end-of-file marks, lead bytes, unreadable and oversized numbers,
// lines of far too many tokens. Each has one defined outcome.
#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "common/MyFunc.h"
#include "tests/robustness/PipelineRun.h"
#include "tests/robustness/StoreChecks.h"
#include "tests/robustness/TempFolder.h"
#include "transfer/JwwGaibu.h"

namespace {

class HostileLines : public ::testing::Test {
 protected:
  void SetUp() override { JwwInit(); }
  void TearDown() override { JwwInit(); }

  // Reads `bytes` as the transfer file; the read must end as `complete` says.
  void Read(const std::string& bytes, bool complete = true) {
    WriteBytes(path_, bytes);
    ASSERT_EQ(OpenTransferFile(path_), complete);
    ExpectSoundStore();
  }

  // Saves the confirmed run over the file and reads the result back.
  void RoundTrip() {
    ASSERT_TRUE(ConfirmAndClose(path_, -1));
    ASSERT_TRUE(OpenTransferFile(path_));
  }

  std::string Saved() { return ReadBytes(path_); }

  TTempFolder folder_;
  const std::string path_ = folder_.Path("JWC_TEMP.TXT");
};

std::string TextOf(int32_t i) {
  return std::string(jwwTexts[i].text.View());
}

TEST_F(HostileLines, EveryByteValueInsideATextHasItsOneOutcome) {
  for (int b = 0; b < 256; ++b) {
    SCOPED_TRACE("byte " + std::to_string(b));
    const char c = static_cast<char>(b);
    const std::string file = std::string("ch 1 2 1 0 \"A") + c + "B\r\nci 0 0 5\r\n";
    if (b == 0x1A) {
      Read(file, false);  // the mark ends the line and would cut the B off
      continue;
    }
    Read(file);
    std::string expected;
    if (b == '\n') {
      expected = "A";  // the line ends here; the B begins another
    } else if (IsLeadByte(static_cast<unsigned char>(b))) {
      expected = std::string("A") + c + "B";  // a pair with the byte after it
    } else if (b < 0x20 || b >= 0xFE) {
      expected = "AB";  // dropped (a lone CR included)
    } else {
      expected = std::string("A") + c + "B";
    }
    ASSERT_EQ(jwwTexts.Count(), 1);
    EXPECT_EQ(TextOf(0), expected);
    EXPECT_EQ(jwwCircles.Count(), 1);

    RoundTrip();
    ASSERT_EQ(jwwTexts.Count(), 1) << "the text survives the round trip";
    EXPECT_EQ(TextOf(0), expected);
  }
}

TEST_F(HostileLines, AllByteValuesInOneTextSurviveTheRoundTrip) {
  std::string bytes;
  for (int b = 0x20; b < 0x100; ++b) bytes += static_cast<char>(b);
  Read("ch 1 2 1 0 \"" + bytes.substr(0, 200) + "\r\n");
  ASSERT_EQ(jwwTexts.Count(), 1);
  const std::string stored = TextOf(0);
  EXPECT_LE(stored.size(), kJwwShortStrMax);
  RoundTrip();
  ASSERT_EQ(jwwTexts.Count(), 1);
  EXPECT_EQ(TextOf(0), stored);
}

struct LineEndCase {
  const char* name;
  std::string file;
  int circles;
  int entities;
  bool complete = true;  // false: a mark cuts data off or statements follow it
};

TEST_F(HostileLines, LoneCarriageReturnsAndEndOfFileMarks) {
  const std::vector<LineEndCase> cases = {
      {"CRs dropped inside a line", "ci 0 0 5\r\r\r\n", 1, 1},
      {"a lone CR joins two lines", "0 0 1 1\r0 0 2 2\r\n", 0, 0},
      {"CR line ends only", "ci 0 0 5\rci 0 0 6\r", 0, 0},
      {"only CRs", "\r\r\r\r", 0, 0},
      {"CR at the end without LF", "ci 0 0 5\r", 1, 1},
      {"mark as the first byte",
       "\x1a"
       "ci 0 0 5\r\n",
       0, 0, false},
      {"mark at the start of a later line",
       "ci 0 0 5\r\n\x1a"
       "ci 0 0 6\r\n",
       1, 1, false},
      {"mark inside a line cuts data off", "ci 0 0 5\x1a junk\r\nci 0 0 6\r\n", 1, 1, false},
      {"mark cuts a statement short", "ci 0 0\x1a 5\r\nci 0 0 6\r\n", 0, 0, false},
      {"mark right before the line end", "ci 0 0 5\x1a\r\nci 0 0 6\r\n", 2, 2},
      {"mark after a lone CR is inside the line", "ci 0 0 5\r\x1a\r\nci 0 0 6\r\n", 2, 2},
      {"mark as the last byte", "ci 0 0 5\r\n\x1a", 1, 1},
      {"mark ending the last line", "ci 0 0 5\x1a", 1, 1},
      {"mark after an empty line",
       "\r\n\x1a"
       "ci 0 0 5\r\n",
       0, 0, false},
      {"mark as the byte after a lead byte",
       "ci 0 0 5\r\nch 1 1 1 0 \"A\x82\x1a"
       "B\r\n",
       1, 2, false},
      {"NUL bytes", std::string("ci 0 0\0 5\r\n", 11), 1, 1},
  };
  for (const LineEndCase& c : cases) {
    SCOPED_TRACE(c.name);
    Read(c.file, c.complete);
    EXPECT_EQ(jwwCircles.Count(), c.circles);
    EXPECT_EQ(entityOrder.Count(), c.entities);
  }
}

TEST_F(HostileLines, ATextOfOnlyLeadBytesKeepsWholeCharacters) {
  struct Case {
    int leadBytes;
    size_t stored;
  };
  for (Case c : {Case{1, 0}, Case{2, 2}, Case{3, 2}, Case{255, 254}, Case{256, 254}, Case{301, 254},
                 Case{1000, 254}}) {
    SCOPED_TRACE(std::to_string(c.leadBytes) + " lead bytes");
    Read("ch 1 2 1 0 \"" + std::string(c.leadBytes, '\x82') + "\r\n");
    ASSERT_EQ(jwwTexts.Count(), 1);
    EXPECT_EQ(TextOf(0), std::string(c.stored, '\x82'));
    RoundTrip();
    // A blank text is left out by the writer; any other comes back whole.
    ASSERT_EQ(jwwTexts.Count(), c.stored == 0 ? 0 : 1);
    if (c.stored != 0) {
      EXPECT_EQ(TextOf(0), std::string(c.stored, '\x82'));
    }
  }
}

TEST_F(HostileLines, AFontNameOfLeadBytesOrEndingInAQuoteLosesNoText) {
  Read("cn\"$" + std::string(301, '\xe0') +
       "\r\nch 1 2 1 0 \"A\r\ncn\"$name\"\r\nch 1 2 1 0 \"B\r\n");
  ASSERT_EQ(jwwTexts.Count(), 2);
  EXPECT_EQ(jwwTexts[0].fontName.View(), std::string(254, '\xe0')) << "whole characters only";
  RoundTrip();
  ASSERT_EQ(jwwTexts.Count(), 2);
  EXPECT_EQ(TextOf(0), "A");
  EXPECT_EQ(TextOf(1), "B");
}

TEST_F(HostileLines, UnreadableOrOversizedRealsReadAsZero) {
  const std::vector<std::string> zeros = {
      "1e999",    "-1e999", "1e-400",  "NaN", "nan", "INF",  "-INF", "inf",
      "Infinity", "0x10",   "1.8e308", "1e",  "--1", "1..2", "+",    "1e+99999"};
  for (const std::string& zero : zeros) {
    SCOPED_TRACE(zero);
    Read("7 7 " + zero + " 5\r\n");
    ASSERT_EQ(jwwLines.Count(), 1);
    EXPECT_EQ(jwwLines[0].x2, 0.0);
    EXPECT_TRUE(std::isfinite(jwwLines[0].x2));
    RoundTrip();
    EXPECT_EQ(Saved().find("INF"), std::string::npos);
    EXPECT_EQ(Saved().find("NAN"), std::string::npos);
  }
  Read("-0 0 4.9e-324 1.7976931348623157e308\r\n");
  ASSERT_EQ(jwwLines.Count(), 1);
  EXPECT_EQ(jwwLines[0].x1, 0.0);
  EXPECT_EQ(jwwLines[0].x2, 4.9e-324);
  EXPECT_EQ(jwwLines[0].y2, 1.7976931348623157e308);
}

TEST_F(HostileLines, IntegersBeyondThirtyTwoBitsReadAsZeroAndNeverWrapAround) {
  // 4294967297 is 2^32 + 1: a reader that wraps would see 1.
  Read("lc4294967297\r\n0 0 1 1\r\n");
  EXPECT_EQ(jwwLines[0].head.colour, 0);
  Read(
      "lc2147483647\r\n0 0 1 1\r\nlc-2147483648\r\n0 0 1 1\r\nlc2147483648\r\n0 0 1 1\r\n"
      "lc-2147483649\r\n0 0 1 1\r\nlc$7FFFFFFF\r\n0 0 1 1\r\nlc$100000001\r\n0 0 1 1\r\n");
  ASSERT_EQ(jwwLines.Count(), 6);
  const int32_t expected[] = {2147483647, -2147483647 - 1, 0, 0, 2147483647, 0};
  for (int i = 0; i < 6; ++i) EXPECT_EQ(jwwLines[i].head.colour, expected[i]) << "line " << i;

  Read(
      "hp4294967301 1 2\r\nhhp4294967299\r\n0 0 1 1\r\nlg1 4294967297\r\n"
      "pt 1 2 3 4 4294967297\r\ncn4294967297\r\nch 1 1 1 0 \"A\r\n");
  EXPECT_EQ(jwwHeader.indicatedPointCount, 0) << "point 2^32 + 5 is not point 5";
  EXPECT_EQ(jwwLines[0].head.indicatedPointNo, 0);
  EXPECT_EQ(jwwHeader.groupValues[1], 0);
  ASSERT_EQ(jwwPointExs.Count(), 1);
  EXPECT_EQ(jwwPointExs[0].pointCode, 0);
  ASSERT_EQ(jwwTexts.Count(), 1);
  EXPECT_EQ(jwwTexts[0].textType, 0);
}

TEST_F(HostileLines, ALineOfAHundredThousandTokensUsesOnlyItsFirstThirtyTwo) {
  std::string ones;
  for (int i = 0; i < 100'000; ++i) ones += " 1";
  struct Case {
    const char* name;
    std::string line;
    int32_t kind;  // 0: the line is ignored
  };
  const std::vector<Case> cases = {
      {"an arc of a hundred thousand values", "ci" + ones, jekArc},
      {"a plain line with too many numbers", "1 2 3" + ones, 0},
      {"a four-point solid", "sl 0 0 2 0 2 2 0 2" + ones, jekSolid4},
      {"a text without a quote takes its first word", "ch 1 1 1 0 first" + ones, jekText},
      {"blanks only", std::string(100'000, ' '), 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JwwInit();
    JwwParseLine(c.line);
    ASSERT_EQ(entityOrder.Count(), c.kind == 0 ? 0 : 1);
    if (c.kind != 0) {
      EXPECT_EQ(entityOrder[0].kind, c.kind);
    }
  }
  JwwInit();
  JwwParseLine("ci" + ones);
  EXPECT_EQ(jwwArcs[0].tilt, 1.0);
  JwwInit();
  JwwParseLine("ch 1 1 1 0 first" + ones);
  EXPECT_EQ(TextOf(0), "first");
}

}  // namespace
