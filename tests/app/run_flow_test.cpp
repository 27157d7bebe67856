// The run behind the window's events, natively: whatever the window's calls
// throw, the host is answered ("hd" whole, or "hq"), the window goes, the
// settings file is closed and the user hears of an "hq" not chosen; and each
// way a run ends shows its own status text, message and exit code.
#include <gtest/gtest.h>

#include <filesystem>
#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "app/RunFlow.h"
#include "flip/RunMessages.h"
#include "flip/StatusTexts.h"
#include "tests/robustness/FaultyFileOps.h"
#include "tests/robustness/RestoreFileOps.h"
#include "tests/robustness/TempFolder.h"

namespace {

// A window that records what the run shows and throws std::bad_alloc at its
// `throwAt`-th call (progress reports included), or at every call from
// there on.
class TFakeWindow final : public TRunWindow, public TJwwProgress {
 public:
  int throwAt = 0;  // 0: never
  bool throwOn = false;
  int calls = 0;
  std::string status;
  int tellings = 0;  // messages the run tried to show
  std::vector<std::string> told;
  int dismissed = 0;

  void ShowStatus(std::string_view utf8) override {
    Call();
    status = utf8;
  }
  TJwwProgress& Progress() override {
    Call();
    return *this;
  }
  void Place(const TSettings&) override { Call(); }
  TSettings Placement() override {
    Call();
    return {10, 20, 1};
  }
  void Tell(std::string_view utf8, TTellAs) override {
    ++tellings;
    Call();
    told.emplace_back(utf8);
  }
  void Dismiss() noexcept override { ++dismissed; }
  void FlippingText(int32_t, int32_t) override { Call(); }
  void WritingEntity(int32_t, int32_t) override { Call(); }
  bool EscapeDown() override {
    Call();
    return false;
  }

 private:
  void Call() {
    ++calls;
    if (calls == throwAt || (throwOn && throwAt && calls > throwAt)) throw std::bad_alloc();
  }
};

enum class TWay { ok, cancel, withoutWindow, noWindowMade };

void RunEvents(TRunFlow& run, TWay way) {
  if (way == TWay::noWindowMade) return run.Fail();
  run.Open();
  if (way == TWay::cancel) return run.RequestClose();
  run.Confirm();
}

TEST(RunFlow, AnythingTheWindowThrowsStillAnswersTheHost) {
  const std::string drawing = "ch 1 2 1 0 \"A\r\n";
  for (TWay way : {TWay::ok, TWay::cancel, TWay::withoutWindow, TWay::noWindowMade}) {
    TTempFolder folder;
    TRunSetup setup{folder.Path(""), folder.Path("JWC_TEMP.TXT"), folder.Path("flip.dat"),
                    way == TWay::withoutWindow};
    WriteBytes(setup.transferFile, drawing);
    TFakeWindow clean;
    TRunFlow cleanRun(clean, setup);
    RunEvents(cleanRun, way);
    const std::string answer = ReadBytes(setup.transferFile);
    for (bool throwOn : {false, true}) {
      for (int k = 1; k <= clean.calls + 1; ++k) {
        SCOPED_TRACE("way " + std::to_string(static_cast<int>(way)) + ", call " +
                     std::to_string(k) + (throwOn ? " on" : ""));
        TRestoreFileOps restore;
        InstallFileFault();  // counts the files left open
        WriteBytes(setup.transferFile, drawing);
        TFakeWindow window;
        window.throwAt = k;
        window.throwOn = throwOn;
        TRunFlow run(window, setup);
        RunEvents(run, way);
        const std::string saved = ReadBytes(setup.transferFile);
        EXPECT_TRUE(saved == answer || saved == "hq\r\n") << saved;
        EXPECT_TRUE(run.Closing());
        EXPECT_EQ(window.dismissed, 1);
        EXPECT_EQ(fileFaults.openFiles, 0) << "a file was left open";
        const bool failed = k <= clean.calls;  // a call past the clean run's is a message
        EXPECT_EQ(run.ExitCode(), failed || way == TWay::noWindowMade ? kExitHqUnasked : 0);
        // "hq" unasked is told once (if telling itself does not fail).
        EXPECT_EQ(window.tellings, run.ExitCode() == kExitHqUnasked ? 1 : 0);
        if (run.ExitCode() == kExitHqUnasked) {
          EXPECT_EQ(saved, "hq\r\n");
        }
      }
    }
  }
}

// Status text, message and exit code for each way the transfer file was found
// and the answer saved.
TEST(RunFlow, EachEndShowsItsOwnStatusMessageAndExitCode) {
  enum class TFile { drawing, inUse, folder, empty, none };
  struct TCase {
    const char* name;
    TFile file;
    bool ok;
    bool saveFails;
    std::string_view status;  // empty: the count of texts
    TRunOutcome toldAs;       // the message told, `answered` for none
    bool toldSaveFailed;
    int exitCode;
  };
  using O = TRunOutcome;
  const TCase cases[] = {
      {"read, OK", TFile::drawing, true, false, {}, O::answered, false, 0},
      {"read, not saved", TFile::drawing, true, true, {}, O::answered, true, 1},
      {"in use, Cancel", TFile::inUse, false, false, kStatusInUse, O::answered, false, 0},
      {"in use, OK", TFile::inUse, true, false, kStatusInUse, O::inUse, false, 4},
      {"in use, Cancel, not saved", TFile::inUse, false, true, kStatusInUse, O::inUse, false, 1},
      {"a folder, Cancel", TFile::folder, false, false, kStatusNotOpened, O::notOpened, false, 1},
      {"empty, OK", TFile::empty, true, false, kStatusNotReadToEnd, O::notReadToEnd, false, 4},
      {"empty, OK, not saved", TFile::empty, true, true, kStatusNotReadToEnd, O::answered, true, 1},
      {"no file, OK", TFile::none, true, false, kStatusNoTransferFile, O::answered, false, 3},
  };
  for (const TCase& c : cases) {
    SCOPED_TRACE(c.name);
    TRestoreFileOps restore;
    TTempFolder folder;
    const TRunSetup setup{folder.Path(""), folder.Path("JWC_TEMP.TXT"), "", false};
    if (c.file == TFile::folder) std::filesystem::create_directory(setup.transferFile);
    if (c.file != TFile::folder && c.file != TFile::none) {
      WriteBytes(setup.transferFile, c.file == TFile::empty ? "" : "ch 1 2 1 0 \"A\r\n");
    }
    if (c.file == TFile::inUse) {
      jwwFileOps.openRead = [](const std::string&) -> TJwwFile { throw TJwwFileInUse(); };
    }
    if (c.saveFails) jwwFileOps.replace = [](const std::string&, const std::string&) { return false; };
    TFakeWindow window;
    TRunFlow run(window, setup);
    run.Open();
    EXPECT_EQ(window.status, c.status.empty() ? TextCountStatus(1) : std::string(c.status));
    c.ok ? run.Confirm() : run.RequestClose();
    std::vector<std::string> expected;
    if (c.toldSaveFailed) expected.push_back(SaveFailedMessage(setup.folder));
    if (c.toldAs != O::answered) expected.push_back(UnaskedHqMessage(c.toldAs, setup.folder));
    EXPECT_EQ(window.told, expected);
    EXPECT_EQ(run.ExitCode(), c.exitCode);
  }
}

}  // namespace
