// The output pass (progress, Escape, closing lines) and the saved file
// (joining, "hq", replacing in one step, failures).
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "flip/ConfirmedRun.h"
#include "flip/StatusTexts.h"
#include "tests/writer/writer_support.h"
#include "transfer/seams/JwwPieceRunner.h"

namespace {

namespace fs = std::filesystem;

// "処理中(ESC:中断)：" and "／" in UTF-8.
const std::string kProgress =
    "\xE5\x87\xA6\xE7\x90\x86\xE4\xB8\xAD(ESC:\xE4\xB8\xAD\xE6\x96\xAD)\xEF\xBC\x9A";
const std::string kSlash = "\xEF\xBC\x8F";

// Records the status texts of the pass's reports; the Escape key is down at
// check number `escapeAtCheck` (1-based; 0 never).
class FakeLabel : public TJwwProgress {
 public:
  explicit FakeLabel(int escapeAtCheck = 0) : escapeAtCheck_(escapeAtCheck) {}
  void FlippingText(int32_t, int32_t) override {}
  void WritingEntity(int32_t entry, int32_t total) override {
    texts.push_back(PassProgressStatus(entry, total));
  }
  bool EscapeDown() override { return ++checks_ == escapeAtCheck_; }
  Lines texts;

 private:
  int escapeAtCheck_;
  int checks_ = 0;
};

// `count` lines on layer group 3, layer 1, the input's first ones.
void StoreLines(int count) {
  initialAttributes.initialGroup = 3;
  initialAttributes.initialLayer = 1;
  for (int i = 0; i < count; ++i) {
    AddRecord(jwwLines, jekLine, TJwwEntLine{Head(3, 1, 1), 0, 0, 0, 1.0 + i, 0});
  }
}

TEST(OutputPass, EmptyStoreWritesTheClosingLinesOnly) {
  for (bool bz : {false, true}) {
    FreshWriter();
    jwwHeader.bzFlag = bz;
    AddOutputLine("hd");
    FakeLabel label;
    WriteAllEntities(label);
    const Lines expected = bz ? Lines{"hd", "bz", "lg0", "ly0"} : Lines{"hd", "lg0", "ly0"};
    EXPECT_EQ(OutputLines(), expected);
    EXPECT_TRUE(label.texts.empty());
  }
}

TEST(OutputPass, ProgressEveryHundredEntities) {
  FreshWriter();
  StoreLines(250);
  FakeLabel label;
  WriteAllEntities(label);
  const Lines expected = {kProgress + "1" + kSlash + "250", kProgress + "101" + kSlash + "250",
                          kProgress + "201" + kSlash + "250"};
  EXPECT_EQ(label.texts, expected);
  EXPECT_EQ(OutputLines().back(), "0 0 250 0");  // no closing lines needed
}

TEST(OutputPass, EscapeAtTheFirstCheckLeavesOnlyTheClosingLines) {
  FreshWriter();
  StoreLines(5);
  jwwHeader.bzFlag = true;
  AddOutputLine("hd");
  FakeLabel label(1);
  WriteAllEntities(label);
  EXPECT_EQ(OutputLines(), (Lines{"lg3", "ly1"}));
  EXPECT_EQ(label.texts, (Lines{kProgress + "1" + kSlash + "5"}));
}

TEST(OutputPass, EscapeAtALaterCheckOnTheFirstLayerLeavesNothing) {
  FreshWriter();
  StoreLines(250);
  AddOutputLine("hd");
  FakeLabel label(2);
  WriteAllEntities(label);
  EXPECT_EQ(OutputLineCount(), 0);
  EXPECT_EQ(label.texts.size(), 2u);
}

TEST(OutputPass, BlockInsertionsAndBadReferencesWriteNothing) {
  FreshWriter();
  AddRecord(jwwBlks, jekBlk, TJwwEntBlk{Head(0, 0, 1), 1, 2, 0});
  AddRecord(jwwBlks, jekBlk, TJwwEntBlk{Head(0, 0, 1), 3, 4, 0});
  JwwAddRef(jekLine, 0);  // no line stored
  JwwAddRef(99, 0);       // no such kind
  JwwAddRef(jekBlk, -1);  // no such index
  FakeLabel label;
  WriteAllEntities(label);
  EXPECT_EQ(OutputLines(), (Lines{"lg0", "ly0"}));
}

TEST(OutputPass, MemoryRunningOutLeavesNoPartialCommands) {
  FreshWriter();
  // One 200-byte text written 6000 times: more than the first 1 MiB chunk of
  // output lines.
  int32_t text =
      AddRecord(jwwTexts, jekText, MakeText(Head(0, 0, 1), 0, std::string(200, 'x'), 0, 0));
  for (int i = 1; i < 6000; ++i) JwwAddRef(jekText, text);
  // The next chunk fails. On one thread, so that the seam is asked by the
  // output lines alone (the pieces ask it too, on either thread).
  jwwBlockAllocFails = [] { return OutputLineCount() > 0; };
  jwwUseSecondThread = false;
  FakeLabel label;
  RunConfirmedFlip(-1, label);
  jwwUseSecondThread = true;
  jwwBlockAllocFails = nullptr;
  EXPECT_EQ(OutputLineCount(), 0);
}

// --- Saving ----------------------------------------------------------------------

class SaveTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("jww_writer_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    path_ = (folder_ / "JWC_TEMP.TXT").string();
    FreshWriter();
  }
  void TearDown() override {
    jwwFileOps = JwwStandardFileOps();
    fs::remove_all(folder_);
  }

  std::string Saved() {
    std::ifstream in(path_, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  void PutOldFile() {
    std::ofstream(path_, std::ios::binary) << "lg0\r\nly1\r\nch 0 0 1 0 \"A\r\n";
  }
  // Only the file at the path may be left in the folder.
  size_t FilesInFolder() { return std::distance(fs::directory_iterator(folder_), {}); }

  fs::path folder_;
  std::string path_;
};

TEST_F(SaveTest, JoiningRules) {
  const struct {
    const char* name;
    Lines lines;
    std::string bytes;
  } cases[] = {
      {"nothing: hq", {}, "hq\r\n"},
      {"a text command joined with its text",
       {"hd", "ch 1 2 1 0 \"", "ABC", "msg"},
       "hd\r\nch 1 2 1 0 \"ABC\r\nmsg\r\n"},
      {"a text that ends in a quote ends its line",
       {"cs 1 2 1 0 \"", "say \"", "lg0"},
       "cs 1 2 1 0 \"say \"\r\nlg0\r\n"},
      {"a text that looks like a command is not tested",
       {"ch 1 2 1 0 \"", "ch 1 2 1 0 \"", "x"},
       "ch 1 2 1 0 \"ch 1 2 1 0 \"\r\nx\r\n"},
      {"a last text command ends the file without a line end",
       {"hd", "c2 -1.5E-7 INF -INF NAN \""},
       "hd\r\nc2 -1.5E-7 INF -INF NAN \""},
      {"empty lines", {"", "hd", ""}, "\r\nhd\r\n\r\n"},
      {"an empty text", {"ck 0 0 1 0 \"", "", "z1"}, "ck 0 0 1 0 \"\r\nz1\r\n"},
      {"a font line ending in a quote is not joined",
       {"cn\"$<A>\"", "ch 1 2 1 0 \"", "T"},
       "cn\"$<A>\"\r\nch 1 2 1 0 \"T\r\n"},
      {"other lines ending in a quote are not joined",
       {"ch \"", "A", "ch 1 2 1 \"", "B", "ch 1 2 1 0 0 \"", "C", "ch 1 2 1 0\"", "D",
        "cn 1 2 1 0 \"", "E", "ch 1 2  1 0 \"", "F"},
       "ch \"\r\nA\r\nch 1 2 1 \"\r\nB\r\nch 1 2 1 0 0 \"\r\nC\r\nch 1 2 1 0\"\r\nD\r\n"
       "cn 1 2 1 0 \"\r\nE\r\nch 1 2  1 0 \"\r\nF\r\n"},
  };
  for (const auto& c : cases) {
    ClearOutputLines();
    for (const std::string& line : c.lines) AddOutputLine(line);
    EXPECT_TRUE(SaveOutputFile(path_)) << c.name;
    EXPECT_EQ(Saved(), c.bytes) << c.name;
  }
}

TEST_F(SaveTest, AFontNameEndingInAQuoteLosesNoText) {
  PutFontName("<A>\"");
  PutText(0, "T", 1, 2, 1, 0, JwwOutputLinesSink());
  PutText(0, "U", 3, 4, 1, 0, JwwOutputLinesSink());
  ASSERT_TRUE(SaveOutputFile(path_));
  EXPECT_EQ(Saved(), "cn\"$<A>\"\r\nch 1 2 1 0 \"T\r\nch 3 4 1 0 \"U\r\n");
}

TEST_F(SaveTest, ReplacesAnOldFileInLargeContent) {
  PutOldFile();
  std::string expected;
  for (int i = 0; i < 20000; ++i) {
    std::string line = std::to_string(i) + std::string(200, 'a' + i % 26);
    AddOutputLine(line);
    expected += line + "\r\n";
  }
  ASSERT_TRUE(SaveOutputFile(path_));
  EXPECT_EQ(Saved(), expected);
  EXPECT_EQ(FilesInFolder(), 1u);
}

// Fake file operations over the real ones, each able to fail.
struct Faults {
  bool openFails = false;
  int writesBeforeFailure = -1;  // -1: never fails
  bool flushFails = false;
  bool closeFails = false;
  bool replaceFails = false;
};
Faults faults;

TJwwFileOps FaultyOps() {
  TJwwFileOps ops = JwwStandardFileOps();
  ops.createNew = [](const std::string& path) -> TJwwFile {
    return faults.openFails ? nullptr : JwwStandardFileOps().createNew(path);
  };
  ops.write = [](TJwwFile file, const char* data, size_t size) {
    if (faults.writesBeforeFailure == 0) {
      JwwStandardFileOps().write(file, data, size / 2);  // half of it reaches the file
      return false;
    }
    --faults.writesBeforeFailure;
    return JwwStandardFileOps().write(file, data, size);
  };
  ops.flush = [](TJwwFile file) { return !faults.flushFails && JwwStandardFileOps().flush(file); };
  ops.close = [](TJwwFile file) {
    bool closed = JwwStandardFileOps().close(file);
    return closed && !faults.closeFails;
  };
  ops.replace = [](const std::string& from, const std::string& to) {
    return !faults.replaceFails && JwwStandardFileOps().replace(from, to);
  };
  return ops;
}

TEST_F(SaveTest, AnyFailureLeavesNoFileAndReturnsFalse) {
  const struct {
    const char* name;
    Faults faults;
  } cases[] = {
      {"folder not writable", {true, -1, false, false, false}},
      {"write fails half-way", {false, 1, false, false, false}},
      {"first write fails", {false, 0, false, false, false}},
      {"flush fails", {false, -1, true, false, false}},
      {"close fails", {false, -1, false, true, false}},
      {"rename fails", {false, -1, false, false, true}},
  };
  // Over 2 MiB, so that the file is written in several blocks.
  for (int i = 0; i < 10000; ++i) AddOutputLine(std::string(250, 'q'));
  for (const auto& c : cases) {
    PutOldFile();
    faults = c.faults;
    jwwFileOps = FaultyOps();
    EXPECT_FALSE(SaveOutputFile(path_)) << c.name;
    EXPECT_FALSE(fs::exists(path_)) << c.name;
    EXPECT_EQ(FilesInFolder(), 0u) << c.name;
  }
  faults = {};
  ASSERT_TRUE(SaveOutputFile(path_));
  EXPECT_EQ(fs::file_size(path_), 10000u * 252u);
}

TEST_F(SaveTest, CancelReplacesTheOldFileByHq) {
  PutOldFile();
  ASSERT_TRUE(SaveOutputFile(path_));
  EXPECT_EQ(Saved(), "hq\r\n");
  EXPECT_EQ(FilesInFolder(), 1u);
}

}  // namespace
