// The run behind the window's events, natively: whatever the window's calls
// throw, the host is answered ("hd" whole, or "hq"), the window goes, the
// settings file is closed and the user hears of an "hq" not chosen. (What
// each end of a run shows and tells, the end-to-end tests compare whole.)
#include <gtest/gtest.h>

#include <new>
#include <string>
#include <string_view>
#include <vector>

#include "app/RunFlow.h"
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

}  // namespace
