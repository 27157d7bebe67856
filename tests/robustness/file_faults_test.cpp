// Fault injection through the file seam: every open, read, write, flush,
// close and replace that a read or a save makes is failed in turn.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <vector>

#include "tests/robustness/EveryKindFile.h"
#include "tests/robustness/FaultyFileOps.h"
#include "tests/robustness/StoreChecks.h"
#include "tests/robustness/TempFolder.h"
#include "flip/ConfirmedRun.h"
#include "transfer/JwwGaibu.h"

namespace {

// Output lines worth about 3 MB, so the save needs several writes, with the
// bytes the saved file must hold.
std::string FillOutputLines() {
  ClearOutputLines();
  std::string expected;
  auto plain = [&](const std::string& line) {
    AddOutputLine(line);
    expected += line + "\r\n";
  };
  auto text = [&](const std::string& command, const std::string& text) {
    AddOutputLine(command);
    AddOutputLine(text);
    expected += command + text + "\r\n";
  };
  plain("hd");
  for (int i = 0; expected.size() < 3'000'000; ++i) {
    plain("lg" + std::to_string(i % 16));
    plain(std::to_string(i) + " 0 10.5 -3.25E-5");
    text("ch " + std::to_string(i) + " 50 1 0 \"", "\x95\xb6\x8e\x9a and \"quotes\"");
    plain("");
    text("cs 0 0 1 0 \"", "ends in a quote\"");
  }
  return expected;
}

class FileFaults : public ::testing::Test {
 protected:
  void SetUp() override { JwwInit(); }
  void TearDown() override { JwwInit(); }
  TRestoreFileOps restore_;
  TTempFolder folder_;
};

TEST_F(FileFaults, EveryFailedOpenOrReadLeavesAnIncompleteButSoundStore) {
  const std::string path = folder_.Path("JWC_TEMP.TXT");
  // About 3 MB, so the reader needs several reads.
  WriteBytes(path, EveryKindTransferFile(3'000'000));
  InstallFileFault();
  ASSERT_TRUE(JwwReadFile(path));
  const int32_t entities = entityOrder.Count();
  const auto clean = fileFaults.calls;
  ASSERT_GE(clean[kRead], 3) << "the file should need several reads";

  for (TFileOp op : {kOpenRead, kRead}) {
    for (int k = 1; k <= clean[op]; ++k) {
      SCOPED_TRACE(std::string(FileOpName(op)) + " fails at call " + std::to_string(k));
      JwwInit();
      InstallFileFault(op, k);
      EXPECT_FALSE(JwwReadFile(path));
      EXPECT_EQ(jwwReadResult, op == kOpenRead ? jrNotOpened : jrIncomplete);
      // Only the last read, the one that finds the end, comes after every line.
      if (op == kOpenRead || k < clean[kRead]) {
        EXPECT_LT(entityOrder.Count(), entities);
      }
      if (op == kOpenRead) {
        EXPECT_EQ(entityOrder.Count(), 0);
      }
      ExpectSoundStore();
      EXPECT_EQ(fileFaults.calls[kClose], op == kOpenRead ? 0 : 1) << "an opened file is closed";
    }
  }
}

TEST_F(FileFaults, AMissingFileIsToldApartFromAnUnreadableOne) {
  EXPECT_FALSE(JwwReadFile(folder_.Path("JWC_TEMP.TXT")));
  EXPECT_EQ(jwwReadResult, jrNoFile);
  EXPECT_EQ(entityOrder.Count(), 0);
}

TEST_F(FileFaults, EverySaveFailureLeavesNoFileAndNoTemporaryFile) {
  const std::string path = folder_.Path("JWC_TEMP.TXT");
  FillOutputLines();
  WriteBytes(path, "old content\r\n");
  InstallFileFault();
  ASSERT_TRUE(SaveOutputFile(path));
  const auto clean = fileFaults.calls;
  ASSERT_GE(clean[kWrite], 2) << "the content should need several writes";

  for (bool throws : {false, true}) {
    for (TFileOp op : {kCreateNew, kWrite, kFlush, kClose, kReplace}) {
      EXPECT_GE(clean[op], 1) << FileOpName(op) << " is never called by a save";
      for (int k = 1; k <= clean[op]; ++k) {
        SCOPED_TRACE(std::string(FileOpName(op)) + (throws ? " throws" : " fails") +
                     " at call " + std::to_string(k));
        WriteBytes(path, "old content\r\n");
        InstallFileFault(op, k, throws);
        bool saved = true;
        EXPECT_NO_THROW(saved = SaveOutputFile(path));
        EXPECT_FALSE(saved);
        EXPECT_EQ(fileFaults.openFiles, 0) << "a file was left open";
        EXPECT_TRUE(folder_.Names().empty()) << "left behind: " << *folder_.Names().begin();
      }
    }
  }
}

TEST_F(FileFaults, ASaveThatSucceedsLeavesExactlyTheExpectedBytes) {
  const std::string path = folder_.Path("JWC_TEMP.TXT");
  const std::string expected = FillOutputLines();
  WriteBytes(path, "old content\r\n");
  InstallFileFault();
  ASSERT_TRUE(SaveOutputFile(path));
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"JWC_TEMP.TXT"});
  EXPECT_TRUE(ReadBytes(path) == expected) << "saved file differs from the expected bytes";

  ClearOutputLines();
  ASSERT_TRUE(SaveOutputFile(path));
  EXPECT_EQ(ReadBytes(path), "hq\r\n");
  EXPECT_EQ(folder_.Names(), std::set<std::string>{"JWC_TEMP.TXT"});
}

TEST_F(FileFaults, ASaveIntoAMissingFolderFailsCleanly) {
  FillOutputLines();
  EXPECT_FALSE(SaveOutputFile(folder_.Path("no such folder/JWC_TEMP.TXT")));
  EXPECT_TRUE(folder_.Names().empty());
}

// A second save of the same file that runs whole while the first is at a
// step of its own, as two runs of the tool at once would.
namespace interleaved {
TFileOp moment = kFileOps;
std::string path;
bool secondSaved = false;
bool nested = false;
const TJwwFileOps real = JwwStandardFileOps();

// Runs the second save, with other output lines, the first time `op` comes.
void MaybeRunSecond(TFileOp op) {
  if (op != moment || nested) return;
  nested = true;
  ClearOutputLines();
  AddOutputLine("hd");
  AddOutputLine("1 2 3 4");
  secondSaved = SaveOutputFile(path);
}
bool Flush(TJwwFile file) {
  MaybeRunSecond(kFlush);
  return real.flush(file);
}
bool Close(TJwwFile file) {
  MaybeRunSecond(kClose);
  return real.close(file);
}
bool Replace(const std::string& from, const std::string& to) {
  MaybeRunSecond(kReplace);
  return real.replace(from, to);
}
}  // namespace interleaved

TEST_F(FileFaults, TwoSavesAtOnceEachGiveAWholeAnswer) {
  const std::string path = folder_.Path("JWC_TEMP.TXT");
  for (TFileOp op : {kFlush, kClose, kReplace}) {
    SCOPED_TRACE(std::string("the second save runs at the first save's ") + FileOpName(op));
    const std::string expected = FillOutputLines();
    WriteBytes(path, "old content\r\n");
    interleaved::moment = op;
    interleaved::path = path;
    interleaved::nested = interleaved::secondSaved = false;
    jwwFileOps.flush = interleaved::Flush;
    jwwFileOps.close = interleaved::Close;
    jwwFileOps.replace = interleaved::Replace;
    EXPECT_TRUE(SaveOutputFile(path));
    EXPECT_TRUE(interleaved::secondSaved);
    // The first save replaces the file last, so its answer stands, whole.
    EXPECT_TRUE(ReadBytes(path) == expected) << "JWC_TEMP.TXT holds " << ReadBytes(path).size()
                                             << " bytes";
    EXPECT_EQ(folder_.Names(), std::set<std::string>{"JWC_TEMP.TXT"});
  }
}

// After a failed replace the save removes its temporary file, then the
// transfer file; a removal that fails or throws leaves its own file and no
// other, and the save answers false.
TEST_F(FileFaults, AFailingRemoveAfterAFailedSaveLeavesOnlyItsOwnFile) {
  const std::string path = folder_.Path("JWC_TEMP.TXT");
  FillOutputLines();
  static int removals;
  static int failAt;
  static bool throws;
  for (bool throwing : {false, true}) {
    for (failAt = 1; failAt <= 2; ++failAt) {
      SCOPED_TRACE("removal " + std::to_string(failAt) + (throwing ? " throws" : " fails"));
      WriteBytes(path, "old content\r\n");
      removals = 0;
      throws = throwing;
      jwwFileOps.replace = [](const std::string&, const std::string&) { return false; };
      jwwFileOps.remove = [](const std::string& file) {
        if (++removals != failAt) return JwwStandardFileOps().remove(file);
        if (throws) throw std::runtime_error("remove");
        return false;
      };
      bool saved = true;
      EXPECT_NO_THROW(saved = SaveOutputFile(path));
      EXPECT_FALSE(saved);
      EXPECT_EQ(removals, 2);
      const std::set<std::string> left = folder_.Names();
      ASSERT_EQ(left.size(), 1u);
      EXPECT_EQ(*left.begin() == "JWC_TEMP.TXT", failAt == 2) << *left.begin();
      std::filesystem::remove(folder_.Path(*left.begin()));
    }
  }
}

// The file operations that would open, replace or remove `path`, recorded
// and failed there (so that a FIFO never blocks the test); the standard ones
// everywhere else.
namespace guarded {
std::string path;
std::vector<std::string> touched;
const TJwwFileOps real = JwwStandardFileOps();

bool Touches(const char* op, const std::string& target) {
  if (target != path) return false;
  touched.push_back(op);
  return true;
}
TJwwFile OpenRead(const std::string& p) {
  return Touches("openRead", p) ? nullptr : real.openRead(p);
}
TJwwFile OpenWrite(const std::string& p) {
  return Touches("openWrite", p) ? nullptr : real.openWrite(p);
}
bool Replace(const std::string& from, const std::string& to) {
  return !Touches("replace", to) && real.replace(from, to);
}
bool Remove(const std::string& p) {
  return !Touches("remove", p) && real.remove(p);
}
}  // namespace guarded

// Anything but a regular file named JWC_TEMP.TXT is refused by the reader
// without being opened, and neither a save nor a whole run (as the console
// pipeline runs it) opens, replaces or removes it: it stays as it was, and no
// temporary file is left.
TEST_F(FileFaults, AnythingButARegularFileIsNeitherOpenedNorReplacedNorRemoved) {
  namespace fs = std::filesystem;
  const std::string path = folder_.Path("JWC_TEMP.TXT");
  struct TCase {
    const char* name;
    std::function<void()> make;
    fs::file_type type;
  };
  const TCase cases[] = {
      {"an empty folder", [&] { fs::create_directory(path); }, fs::file_type::directory},
      {"a FIFO", [&] { ASSERT_EQ(mkfifo(path.c_str(), 0600), 0); }, fs::file_type::fifo},
      {"a link to a device that never ends", [&] { fs::create_symlink("/dev/zero", path); },
       fs::file_type::character},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    c.make();
    guarded::path = path;
    guarded::touched.clear();
    jwwFileOps.openRead = guarded::OpenRead;
    jwwFileOps.openWrite = guarded::OpenWrite;
    jwwFileOps.replace = guarded::Replace;
    jwwFileOps.remove = guarded::Remove;
    JwwInit();
    EXPECT_FALSE(JwwReadFile(path));
    EXPECT_EQ(jwwReadResult, jrNotOpened);
    AddOutputLine("hd");
    EXPECT_FALSE(SaveOutputFile(path));
    TJwwSilentProgress progress;
    EXPECT_FALSE(FlipTransferFile(path, ftBoth, progress));
    EXPECT_EQ(jwwReadResult, jrNotOpened);
    for (const std::string& op : guarded::touched) ADD_FAILURE() << op << " reached it";
    EXPECT_EQ(fs::status(path).type(), c.type);
    EXPECT_EQ(folder_.Names(), std::set<std::string>{"JWC_TEMP.TXT"});
    fs::remove_all(path);
  }
}

}  // namespace
