// The working folder handed to the tool, and reading the tool's answer and
// settings back.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "WorkFolder.h"

namespace fs = std::filesystem;

namespace {

class WorkFolderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    root_ = fs::temp_directory_path() /
            ("jwhost_test_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
             "_" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(root_);
    fs::create_directories(root_);
    exe_ = root_ / "JwwTextFlip.exe";
    ASSERT_TRUE(WriteFileBytes(exe_, "MZ fake"));
    bat_ = root_ / "flip.bat";
    ASSERT_TRUE(WriteFileBytes(bat_, "REM flip\r\n"));
  }
  void TearDown() override { fs::remove_all(root_); }
  fs::path root_, exe_, bat_;
};

TEST_F(WorkFolderTest, LaysOutTheBatchFileTheToolTheTransferFileAndTheSettings) {
  WorkFolder folder;
  std::string error;
  ASSERT_TRUE(
      LayOutWorkFolder(root_ / "a" / "work", exe_, bat_, "lg0\r\nly1\r\n", 2, folder, error))
      << error;
  EXPECT_EQ(ReadFileBytes(folder.exe), "MZ fake");
  EXPECT_EQ(folder.batchFile, folder.dir / "flip.bat");
  EXPECT_EQ(ReadFileBytes(folder.batchFile), "REM flip\r\n");
  EXPECT_EQ(folder.transferFile.filename(), "JWC_TEMP.TXT");
  EXPECT_EQ(ReadFileBytes(folder.transferFile), "hq\r\nlg0\r\nly1\r\n");
  EXPECT_EQ(folder.settingsFile.filename(), "JwwTextFlip.dat");
  EXPECT_EQ(ReadFileBytes(folder.settingsFile), "0\r\n0\r\n2\r\n");
}

TEST_F(WorkFolderTest, WithoutAFlipTypeTheToolsSettingsStay) {
  WorkFolder folder;
  std::string error;
  ASSERT_TRUE(LayOutWorkFolder(root_, exe_, {}, "", 1, folder, error));
  ASSERT_TRUE(LayOutWorkFolder(root_, exe_, {}, "", std::nullopt, folder, error));  // exe in place
  EXPECT_EQ(ReadFileBytes(folder.settingsFile), "0\r\n0\r\n1\r\n");
  EXPECT_EQ(ReadFileBytes(folder.exe), "MZ fake");
  EXPECT_TRUE(folder.batchFile.empty());
}

TEST_F(WorkFolderTest, AMissingExecutableIsReported) {
  WorkFolder folder;
  std::string error;
  EXPECT_FALSE(LayOutWorkFolder(root_ / "w", root_ / "none.exe", {}, "", 0, folder, error));
  EXPECT_NE(error.find("none.exe"), std::string::npos);
  EXPECT_FALSE(LayOutWorkFolder(root_ / "w", exe_, root_ / "none.bat", "", 0, folder, error));
  EXPECT_NE(error.find("none.bat"), std::string::npos);
}

TEST(TransferFile, BeginsWithHqExactlyOnce) {
  EXPECT_EQ(TransferFileBytes("hq\r\nlg0\r\n"), "hq\r\nlg0\r\n");
  EXPECT_EQ(TransferFileBytes("hq\nlg0\n"), "hq\nlg0\n");
  EXPECT_EQ(TransferFileBytes("lg0\r\n"), "hq\r\nlg0\r\n");
  EXPECT_EQ(TransferFileBytes("hqx\r\n"), "hq\r\nhqx\r\n");
  EXPECT_EQ(TransferFileBytes(""), "hq\r\n");
}

TEST_F(WorkFolderTest, TellsTheAnswersApart) {
  const struct {
    const char* bytes;
    ToolAnswer answer;
  } cases[] = {
      {"hq\r\n", ToolAnswer::kUnchanged},
      {"hq", ToolAnswer::kUnchanged},
      {"hd\r\nlg0\r\n", ToolAnswer::kReplace},
      {"lg3\r\nly1\r\n", ToolAnswer::kNone},
      {"", ToolAnswer::kNone},
      {"hdx\r\n", ToolAnswer::kNone},
  };
  const fs::path file = root_ / "JWC_TEMP.TXT";
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteFileBytes(file, c.bytes));
    EXPECT_EQ(ReadToolAnswer(file), c.answer) << c.bytes;
  }
  EXPECT_EQ(ReadToolAnswer(root_ / "missing.txt"), ToolAnswer::kNone);
}

TEST_F(WorkFolderTest, ReadsTheSavedFlipType) {
  const struct {
    const char* bytes;
    std::optional<int> flipType;
  } cases[] = {
      {"10\r\n20\r\n2\r\n", 2},
      {"0\r\n0\r\n-1\r\n", -1},
      {"0\n0\n1", 1},
      {"0\r\n0\r\n", std::nullopt},
      {"0\r\n0\r\nx\r\n", std::nullopt},
      {"0\r\n0\r\n-\r\n", std::nullopt},
      {"0\r\n0\r\n99999999999\r\n", std::nullopt},
  };
  const fs::path file = root_ / "JwwTextFlip.dat";
  for (const auto& c : cases) {
    ASSERT_TRUE(WriteFileBytes(file, c.bytes));
    EXPECT_EQ(ReadSavedFlipType(file), c.flipType) << c.bytes;
  }
  EXPECT_EQ(ReadSavedFlipType(root_ / "none.dat"), std::nullopt);
}

}  // namespace
