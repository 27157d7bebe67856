// The run's phases under failure: whatever is thrown inside the confirmed run
// or the save stays inside, and the host is answered "hq"; a run that found
// no transfer file answers nothing.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "flip/ConfirmedRun.h"
#include "tests/robustness/RestoreFileOps.h"
#include "tests/robustness/TempFolder.h"
#include "transfer/JwwGaibu.h"

namespace {

enum class TWhere { flipping, writing, escape };
enum class TWhat { badAlloc, runtimeError, integer };

[[noreturn]] void Throw(TWhat what) {
  if (what == TWhat::badAlloc) throw std::bad_alloc();
  if (what == TWhat::runtimeError) throw std::runtime_error("progress failed");
  throw 7;
}

// Progress that throws `what` at its first report of kind `where`.
class TThrowingProgress final : public TJwwProgress {
 public:
  TThrowingProgress(TWhere where, TWhat what) : where_(where), what_(what) {}
  void FlippingText(int32_t, int32_t) override { ThrowAt(TWhere::flipping); }
  void WritingEntity(int32_t, int32_t) override { ThrowAt(TWhere::writing); }
  bool EscapeDown() override {
    ThrowAt(TWhere::escape);
    return false;
  }

 private:
  void ThrowAt(TWhere where) const {
    if (where == where_) Throw(what_);
  }
  TWhere where_;
  TWhat what_;
};

TEST(ConfirmedRun, AnythingThrownInsideAnswersHq) {
  TTempFolder folder;
  const std::string path = folder.Path("JWC_TEMP.TXT");
  for (TWhere where : {TWhere::flipping, TWhere::writing, TWhere::escape}) {
    for (TWhat what : {TWhat::badAlloc, TWhat::runtimeError, TWhat::integer}) {
      SCOPED_TRACE("at " + std::to_string(static_cast<int>(where)) + ", throwing " +
                   std::to_string(static_cast<int>(what)));
      WriteBytes(path, "ch 1 2 1 0 \"A\r\n0 0 1 1\r\n");
      ASSERT_TRUE(OpenTransferFile(path));
      TThrowingProgress progress(where, what);
      EXPECT_NO_THROW(RunConfirmedFlip(ftBoth, progress));
      EXPECT_EQ(OutputLineCount(), 0);
      EXPECT_TRUE(CloseTransferFile(path));
      EXPECT_EQ(ReadBytes(path), "hq\r\n");
    }
  }
}

// A file operation that throws is a failed save, not an escaped exception;
// an answer due with no path to save it at is not saved either.
TEST(ConfirmedRun, ASaveThatThrowsOrHasNoPathReportsNotSaved) {
  TTempFolder folder;
  const std::string path = folder.Path("JWC_TEMP.TXT");
  const std::string input = "ch 1 2 1 0 \"A\r\n";
  WriteBytes(path, input);
  {
    TRestoreFileOps restore;
    jwwFileOps.createNew = [](const std::string&) -> TJwwFile {
      throw std::runtime_error("disk");
    };
    TJwwSilentProgress progress;
    bool saved = true;
    EXPECT_NO_THROW(saved = FlipTransferFile(path, ftBoth, progress));
    EXPECT_FALSE(saved);
    WriteBytes(path, input);  // the failed save removed it
    OpenTransferFile(path);
    EXPECT_NO_THROW(saved = CloseTransferFile(path));
    EXPECT_FALSE(saved);
  }
  WriteBytes(path, input);
  ASSERT_TRUE(OpenTransferFile(path));
  EXPECT_FALSE(CloseTransferFile(""));
  EXPECT_EQ(ReadBytes(path), input);
}

// With no transfer file at opening, every way through the run writes nothing
// and reports nothing lost: no answer was due. A file that turns up before
// closing (the host starting a run of its own meanwhile) is not touched.
TEST(ConfirmedRun, NoTransferFileAnswersNothing) {
  enum class TWay { confirmed, cancelled, noFolder };
  for (TWay way : {TWay::confirmed, TWay::cancelled, TWay::noFolder}) {
    for (bool fileTurnsUp : {false, true}) {
      SCOPED_TRACE("way " + std::to_string(static_cast<int>(way)) +
                   (fileTurnsUp ? ", a file turning up" : ""));
      TTempFolder folder;
      const std::string path = folder.Path("JWC_TEMP.TXT");
      const std::string given = way == TWay::noFolder ? "" : path;
      EXPECT_FALSE(OpenTransferFile(given));
      EXPECT_FALSE(TransferFileFound());
      TJwwSilentProgress progress;
      if (way != TWay::cancelled) RunConfirmedFlip(ftBoth, progress);
      if (fileTurnsUp) WriteBytes(path, "host\r\n");
      EXPECT_TRUE(CloseTransferFile(given));
      EXPECT_EQ(folder.Names().size(), fileTurnsUp ? 1u : 0u);
      EXPECT_EQ(ReadBytes(path), fileTurnsUp ? "host\r\n" : "");
    }
  }
  TTempFolder folder;
  TJwwSilentProgress progress;
  EXPECT_TRUE(FlipTransferFile(folder.Path("JWC_TEMP.TXT"), ftBoth, progress));
  EXPECT_FALSE(TransferFileFound());
  EXPECT_TRUE(folder.Names().empty());
}

}  // namespace
