// The run's phases under failure: whatever is thrown inside the confirmed run
// or the save stays inside, and the host is answered "hq"; a run that found
// no transfer file answers nothing. The confirmed run tells how it ended, so
// that the user hears of every "hq" not chosen.
#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>

#include "flip/ConfirmedRun.h"
#include "flip/RunMessages.h"
#include "tests/robustness/FaultyFileOps.h"
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
      TRunOutcome outcome = TRunOutcome::answered;
      EXPECT_NO_THROW(outcome = RunConfirmedFlip(ftBoth, progress));
      EXPECT_EQ(outcome,
                what == TWhat::badAlloc ? TRunOutcome::outOfMemory : TRunOutcome::failed);
      EXPECT_EQ(OutputLineCount(), 0);
      EXPECT_TRUE(CloseTransferFile(path));
      EXPECT_EQ(ReadBytes(path), "hq\r\n");
    }
  }
}

bool AllocationFails() {
  return true;
}

// Progress whose Escape key is down from the first poll.
class TEscapeProgress final : public TJwwProgress {
 public:
  void FlippingText(int32_t, int32_t) override {}
  void WritingEntity(int32_t, int32_t) override {}
  bool EscapeDown() override { return true; }
};

// Each way a confirmed run ends, through the file seam and the block
// allocation seam: only a file read to its end and a pass not stopped answer
// "hd"; every other end answers exactly "hq", and all but Escape are told,
// with the drawing left unchanged.
TEST(ConfirmedRun, EachEndIsTold) {
  enum TFault { kNoFault, kEscape, kReadFails, kOpenFails, kInUse, kAllocInRead, kAllocInPass };
  struct TCase {
    const char* name;
    std::string input;
    TFault fault;
    TRunOutcome outcome;
  };
  const std::string drawing = "ch 1 2 1 0 \"A\r\n0 0 1 1\r\n";
  const TCase cases[] = {
      {"read to its end", drawing, kNoFault, TRunOutcome::answered},
      {"Escape", drawing, kEscape, TRunOutcome::escaped},
      {"an empty file", "", kNoFault, TRunOutcome::notReadToEnd},
      {"a mark cutting a line", "5 6 \x1a" "7 8\r\n", kNoFault, TRunOutcome::notReadToEnd},
      {"statements after the mark", "\x1a\r\n" + drawing, kNoFault, TRunOutcome::notReadToEnd},
      {"a read that fails", drawing, kReadFails, TRunOutcome::notReadToEnd},
      {"an open that fails", drawing, kOpenFails, TRunOutcome::notOpened},
      {"a file held by another program", drawing, kInUse, TRunOutcome::inUse},
      {"memory running out while reading", drawing, kAllocInRead, TRunOutcome::notReadToEnd},
      {"memory running out in the pass", drawing, kAllocInPass, TRunOutcome::outOfMemory},
  };
  TTempFolder folder;
  const std::string path = folder.Path("JWC_TEMP.TXT");
  const std::string folderName = folder.Path("");
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TRestoreFileOps restore;
    WriteBytes(path, c.input);
    InstallFileFault(c.fault == kReadFails ? kRead : c.fault == kOpenFails ? kOpenRead : kFileOps, 1);
    if (c.fault == kAllocInRead) jwwBlockAllocFails = AllocationFails;
    if (c.fault == kInUse) {
      jwwFileOps.openRead = [](const std::string&) -> TJwwFile { throw TJwwFileInUse(); };
    }
    OpenTransferFile(path);
    jwwBlockAllocFails = c.fault == kAllocInPass ? AllocationFails : nullptr;
    TJwwSilentProgress silent;
    TEscapeProgress escape;
    const TRunOutcome outcome =
        RunConfirmedFlip(ftBoth, c.fault == kEscape ? static_cast<TJwwProgress&>(escape) : silent);
    jwwBlockAllocFails = nullptr;
    EXPECT_EQ(outcome, c.outcome);
    EXPECT_TRUE(CloseTransferFile(path));
    const std::string saved = ReadBytes(path);
    const bool answeredHd = saved.substr(0, 4) == "hd\r\n";
    EXPECT_EQ(answeredHd, outcome == TRunOutcome::answered);
    if (!answeredHd) {
      EXPECT_EQ(saved, "hq\r\n");
    }

    // Told exactly when the host finds no "hd" and the user did not choose it.
    const std::string told = UnaskedHqMessage(outcome, folderName);
    EXPECT_EQ(EndedUnasked(outcome), !told.empty());
    EXPECT_EQ(told.empty(), answeredHd || c.fault == kEscape);
    if (!told.empty()) {
      EXPECT_NE(told.find("図面は変更されていません。"), std::string::npos) << told;
    }
    if (outcome == TRunOutcome::notReadToEnd || outcome == TRunOutcome::inUse ||
        outcome == TRunOutcome::notOpened) {
      EXPECT_NE(told.find(folderName), std::string::npos) << told;
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
