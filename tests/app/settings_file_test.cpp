// The settings file under hostile content and failing file operations. Built
// into its own test program together with the window's settings code, which
// is portable but lives beside the window.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/SettingsFile.h"
#include "tests/robustness/FaultyFileOps.h"
#include "tests/robustness/GeneratedFile.h"
#include "tests/robustness/RestoreFileOps.h"
#include "tests/robustness/TempFolder.h"

namespace {

struct ContentCase {
  const char* name;
  std::string bytes;
  int32_t left, top, flip;
};

TEST(HostileSettings, EveryContentGivesItsValuesOrZero) {
  std::string everyByte;
  for (int b = 0; b < 256; ++b) everyByte += static_cast<char>(b);
  const std::vector<ContentCase> cases = {
      {"ordinary", "100\r\n200\r\n1\r\n", 100, 200, 1},
      {"empty", "", 0, 0, 0},
      {"two lines", "100\r\n200\r\n", 100, 200, 0},
      {"no line end", "100", 100, 0, 0},
      {"negative", "-5\r\n-10\r\n-3\r\n", -5, -10, -3},
      {"32-bit limits", "-2147483648\r\n2147483647\r\n2147483648\r\n", -2147483647 - 1, 2147483647,
       0},
      {"beyond 32 bits never wraps", "4294967297\r\n-4294967295\r\n99999999999999999999\r\n", 0, 0,
       0},
      {"trailing junk or blank", "12a\r\n12 \r\n  12\r\n", 0, 0, 12},
      {"LF ends", "1\n2\n3\n", 1, 2, 3},
      {"lines after the third", "1\r\n2\r\n3\r\n4\r\n5\r\n", 1, 2, 3},
      {"every byte value", everyByte, 0, 0, 0},
      {"NUL bytes", std::string("1\0\r\n2\r\n3\r\n", 9), 0, 2, 3},
      {"a huge first line", std::string(100'000, '7') + "\r\n2\r\n3\r\n", 0, 2, 3},
  };
  TTempFolder folder;
  const std::string path = folder.Path("JwwTextFlip.dat");
  for (const ContentCase& c : cases) {
    SCOPED_TRACE(c.name);
    WriteBytes(path, c.bytes);
    const TSettings s = ReadSettingsFile(path);
    EXPECT_EQ(s.winLeft, c.left);
    EXPECT_EQ(s.winTop, c.top);
    EXPECT_EQ(s.flipType, c.flip);
  }
}

TEST(HostileSettings, AHugeFileIsNotHeldInMemory) {
  TRestoreFileOps restore;
  // 200 MB of digits without a line end, generated as it is read.
  InstallGeneratedFile({"", "1234567890", 20'000'000, ""});
  const TSettings s = ReadSettingsFile("JwwTextFlip.dat");
  EXPECT_EQ(s.winLeft, 0);
  // Three good lines before endless junk: the junk is never read.
  InstallGeneratedFile({"10\r\n20\r\n2\r\n", "x", int64_t{1} << 40, ""});
  const TSettings t = ReadSettingsFile("JwwTextFlip.dat");
  EXPECT_EQ(t.winLeft, 10);
  EXPECT_EQ(t.winTop, 20);
  EXPECT_EQ(t.flipType, 2);
}

TEST(HostileSettings, NoFileOrAFolderInItsPlaceGivesZeros) {
  TTempFolder folder;
  TSettings s = ReadSettingsFile(folder.Path("missing.dat"));
  EXPECT_EQ(s.winLeft, 0);
  std::filesystem::create_directory(folder.Path("folder.dat"));
  s = ReadSettingsFile(folder.Path("folder.dat"));
  EXPECT_EQ(s.winLeft, 0);
  EXPECT_EQ(s.flipType, 0);
  // Writing fails, and the folder is not the program's to remove.
  WriteSettingsFile(folder.Path("folder.dat"), {1, 2, 3});
  EXPECT_TRUE(std::filesystem::is_directory(folder.Path("folder.dat")));
}

TEST(HostileSettings, AReadErrorKeepsTheLinesReadBeforeIt) {
  TRestoreFileOps restore;
  TTempFolder folder;
  const std::string path = folder.Path("JwwTextFlip.dat");
  WriteBytes(path, "100\r\n" + std::string(4000, ' ') + "200\r\n1\r\n");
  for (bool throws : {false, true}) {
    InstallFileFault(kRead, 2, throws);
    TSettings s;
    EXPECT_NO_THROW(s = ReadSettingsFile(path));
    EXPECT_EQ(s.winLeft, 100);
    EXPECT_EQ(s.winTop, 0);
    EXPECT_EQ(s.flipType, 0);
    EXPECT_EQ(fileFaults.openFiles, 0) << "the file is closed";
  }
}

TEST(HostileSettings, AFailedWriteLeavesNoFileBehind) {
  TRestoreFileOps restore;
  TTempFolder folder;
  const std::string path = folder.Path("JwwTextFlip.dat");
  for (bool throws : {false, true}) {
    for (TFileOp op : {kOpenWrite, kWrite, kClose}) {
      SCOPED_TRACE(std::string(FileOpName(op)) + (throws ? " throws" : " fails"));
      WriteBytes(path, "1\r\n2\r\n3\r\n");
      InstallFileFault(op, 1, throws);
      EXPECT_NO_THROW(WriteSettingsFile(path, {100, 200, 1}));
      EXPECT_TRUE(folder.Names().empty());
      EXPECT_EQ(fileFaults.openFiles, 0) << "the file is closed";
    }
  }
  jwwFileOps = JwwStandardFileOps();
  WriteSettingsFile(folder.Path("no such folder/JwwTextFlip.dat"), {1, 2, 3});
  EXPECT_TRUE(folder.Names().empty());
  WriteSettingsFile(path, {-5, 2147483647, -1});
  EXPECT_EQ(ReadBytes(path), "-5\r\n2147483647\r\n-1\r\n");
}

}  // namespace
