// Inputs far beyond what the host writes: a line of 50 MB, five million
// entities, random bytes. Each ends in a defined store and a sound saved file,
// with memory bounded by a few times the file's size.
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdio>
#include <random>
#include <string>
#include <vector>

#include "fuzz/EndMarkOracle.h"
#include "tests/robustness/GeneratedFile.h"
#include "tests/robustness/PipelineRun.h"
#include "tests/robustness/RestoreFileOps.h"
#include "tests/robustness/RunConditions.h"
#include "tests/robustness/StoreChecks.h"
#include "tests/robustness/TempFolder.h"
#include "transfer/JwwGaibu.h"

namespace {

const std::string kPath = "JWC_TEMP.TXT";

// The saving side of the file seam as a sink that only counts bytes, so a
// save of hundreds of megabytes costs no disk.
namespace sink {
int64_t bytes = 0;
char handle;
TJwwFile OpenWrite(const std::string&) {
  bytes = 0;
  return &handle;
}
bool Write(TJwwFile, const char*, size_t size) {
  bytes += static_cast<int64_t>(size);
  return true;
}
bool Flush(TJwwFile) {
  return true;
}
bool Close(TJwwFile) {
  return true;
}  // the generated file needs no closing either
bool Replace(const std::string&, const std::string&) {
  return true;
}
bool Remove(const std::string&) {
  return true;
}
}  // namespace sink

void InstallGeneratedFileAndSink(TGeneratedFile file) {
  InstallGeneratedFile(std::move(file));
  jwwFileOps.openWrite = sink::OpenWrite;
  jwwFileOps.createNew = sink::OpenWrite;
  jwwFileOps.write = sink::Write;
  jwwFileOps.flush = sink::Flush;
  jwwFileOps.close = sink::Close;
  jwwFileOps.replace = sink::Replace;
  jwwFileOps.remove = sink::Remove;
}

class HugeInputs : public ::testing::Test {
 protected:
  void SetUp() override { JwwInit(); }
  void TearDown() override {
    JwwRelease();
    JwwInit();
  }
  TRestoreFileOps restore_;
};

TEST_F(HugeInputs, AFiftyMegabyteLineWithoutALineEnd) {
  const int64_t size = QuickRun() ? 5'000'000 : 50'000'000;
  struct Case {
    const char* name;
    std::string head, unit;
    int32_t texts;
    size_t textSize;
  };
  const std::vector<Case> cases = {
      {"one word", "", "abcdefgh", 0, 0},
      {"one text", "ch 1 2 1 0 \"", "text ", 1, 255},
      {"one text of lead bytes", "ch 1 2 1 0 \"", "\x82", 1, 254},
      {"blank-separated numbers", "", "1 ", 0, 0},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    JwwInit();
    const TGeneratedFile file{c.head, c.unit, size / static_cast<int64_t>(c.unit.size()), ""};
    InstallGeneratedFileAndSink(file);
    TPeakMemoryMeter meter;
    ASSERT_TRUE(JwwReadFile(kPath));
    EXPECT_EQ(entityOrder.Count(), c.texts);
    ASSERT_EQ(jwwTexts.Count(), c.texts);
    if (c.texts) {
      EXPECT_EQ(jwwTexts[0].text.size, c.textSize);
    }
    if (meter.Usable()) {
      EXPECT_LE(meter.RiseBytes(), 4 * file.Size());
      std::printf("%s: %lld bytes read, memory rose by %lld bytes\n", c.name,
                  static_cast<long long>(file.Size()), static_cast<long long>(meter.RiseBytes()));
    }
  }
}

TEST_F(HugeInputs, FiveMillionEntities) {
  const int64_t entities = QuickRun() ? 200'000 : 5'000'000;
  // A line as the host writes it, coordinates to full precision.
  const std::string line =
      "12345.678901234 -2345.67890123456 34567.8901234567 45678.9012345678\r\n";
  const TGeneratedFile file{"lg0\r\nly0\r\nlc1\r\nlt1\r\n", line, entities, ""};
  InstallGeneratedFileAndSink(file);
  TPeakMemoryMeter meter;
  ASSERT_TRUE(OpenTransferFile(kPath));
  ASSERT_EQ(entityOrder.Count(), entities);
  ASSERT_EQ(jwwLines.Count(), entities);
  EXPECT_EQ(jwwLines[static_cast<int32_t>(entities - 1)].y2, 45678.9012345678);

  TJwwSilentProgress progress;
  RunConfirmedFlip(ftBoth, progress);
  // "hd", the attribute lines of the first line, then each line as read.
  EXPECT_GE(OutputLineCount(), entities + 1);
  EXPECT_LE(OutputLineCount(), entities + 8);
  ASSERT_TRUE(CloseTransferFile(kPath));
  EXPECT_GE(sink::bytes, entities * static_cast<int64_t>(line.size()));
  if (meter.Usable()) {
    EXPECT_LE(meter.RiseBytes(), 3 * file.Size());
    std::printf("%lld entities: %lld bytes read, memory rose by %lld bytes\n",
                static_cast<long long>(entities), static_cast<long long>(file.Size()),
                static_cast<long long>(meter.RiseBytes()));
  }
}

// Random bytes, and random runs of the grammar's own pieces, which reach far
// more statements than uniform noise does.
std::string RandomFile(std::mt19937& random, bool fromGrammar) {
  static const std::vector<std::string> pieces = {"ch",       "cs",    "c2",
                                                  "ci",       "pt",    "sl",
                                                  "sc",       "se",    "so",
                                                  "sg",       "BL",    "lg",
                                                  "ly",       "lc",    "lt",
                                                  "lw",       "cn",    "cn\"$",
                                                  "cc",       "z1",    "z5",
                                                  "pn",       "pl",    "msg",
                                                  "#",        "hp",    "hhp",
                                                  "hs",       "hzs",   "hcw",
                                                  "bz",       "file=", "lgn",
                                                  "lyn",      "0",     "1",
                                                  "-1",       "1e300", "-0.5",
                                                  "1e-9",     "$F",    " ",
                                                  " ",        " ",     "\t",
                                                  "\"",       "=",     "\r\n",
                                                  "\r\n",     "\n",    "\r",
                                                  "\x1a",     "\x82",  "\x81\x40",
                                                  "\x95\xb6", "\xfe",  std::string(1, '\0')};
  std::string file;
  const size_t size = random() % 20'000;
  while (file.size() < size) {
    if (fromGrammar) {
      file += pieces[random() % pieces.size()];
    } else {
      file += static_cast<char>(random());
    }
  }
  return file;
}

TEST_F(HugeInputs, RandomFilesReadSaveAndReadBack) {
  TTempFolder folder;
  const std::string path = folder.Path(kPath);
  const int runs = QuickRun() ? 40 : 200;
  for (int seed = 0; seed < runs; ++seed) {
    SCOPED_TRACE("seed " + std::to_string(seed));
    std::mt19937 random(static_cast<uint32_t>(seed));
    const std::string file = RandomFile(random, seed % 2 == 0);
    WriteBytes(path, file);
    // Data cut off by an end-of-file mark, or no byte at all, leave the read
    // incomplete.
    ASSERT_EQ(OpenTransferFile(path), !ReadsAsCutShort(file));
    ExpectSoundStore();
    if (jwwReadResult != jrComplete) continue;
    ASSERT_TRUE(ConfirmAndClose(path, seed % 4));
    EXPECT_EQ(ReadBytes(path).substr(0, 4), "hd\r\n");
    ASSERT_TRUE(OpenTransferFile(path));
    ExpectSoundStore();
  }
}

}  // namespace
