// Fuzz target: the whole run of a confirmed window. The first byte picks the
// flip type (0..3, where 3 changes nothing); the rest is the transfer file.
// The confirmed run as the tool makes it (read, flip, "hd", the output pass,
// save) on two threads: for about half of the inputs with the helper forced
// on and pieces of a few bytes and entities, and then also on one thread,
// which must give the same answer; for the rest once, as the tool runs. Then
// the saved file is checked and read back.
#include <string>

#include "flip/ConfirmedRun.h"
#include "fuzz/EndMarkOracle.h"
#include "fuzz/FuzzChecks.h"
#include "fuzz/FuzzEntry.h"
#include "fuzz/MemoryFolder.h"
#include "transfer/JwwGaibu.h"

namespace {

const std::string kPath = "JWC_TEMP.TXT";

// The first two phases on `input` in the memory folder, the way last set:
// opening it and the confirmed run. The store and the output lines stay as
// the run left them. Returns how the run ended.
TRunOutcome OpenAndConfirm(const std::string& input, int32_t flipType) {
  MemoryFiles().clear();
  MemoryFiles()[kPath] = input;
  TJwwSilentProgress progress;
  OpenTransferFile(kPath);
  return RunConfirmedFlip(flipType, progress);
}

// The closing phase: the saved bytes.
std::string CloseAndAnswer() {
  Require(CloseTransferFile(kPath), "the save succeeds");
  Require(MemoryFiles().size() == 1 && MemoryFiles().count(kPath) == 1,
          "the save leaves the transfer file and nothing else");
  return MemoryFiles()[kPath];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  InstallMemoryFolder();
  SetMemoryReadChunk(0);
  const std::string input(reinterpret_cast<const char*>(data) + 1, size - 1);
  const int32_t flipType = data[0] % 4;
  const bool cutShort = ReadsAsCutShort(input);

  // Compared with the run on one thread where the helper is forced on; the
  // others run once, as the tool runs.
  const bool compared = HelperForcedFor(input);
  std::string oneThread;
  TJwwReadResult oneThreadRead = jrNoFile;
  if (compared) {
    RunOnOneThread();
    OpenAndConfirm(input, flipType);
    oneThread = CloseAndAnswer();
    oneThreadRead = jwwReadResult;
  }
  RunTwoThreadWay(input);
  const TRunOutcome outcome = OpenAndConfirm(input, flipType);
  EndTwoThreadWay();
  RequireSoundStore();
  const int textsWritten = CountTextCommands();
  const std::string saved = CloseAndAnswer();
  Require(!compared || (saved == oneThread && jwwReadResult == oneThreadRead),
          "one thread and two (the helper forced on) give the same answer");

  Require(jwwReadResult == (cutShort ? jrIncomplete : jrComplete),
          "the file is read to its end unless it is empty or an end-of-file mark cuts data off");
  Require(!cutShort || saved == "hq\r\n", "a file not read to its end is answered with hq");
  Require(outcome == (cutShort ? TRunOutcome::notReadToEnd : TRunOutcome::answered),
          "the run tells a file not read to its end, and only that, as its reason for hq");
  Require(RequireSoundSavedFile(saved) == textsWritten,
          "every text command is joined with its text in the saved file");

  Require(OpenTransferFile(kPath), "the saved file is read back");
  Require(jwwTexts.Count() + jwwLineTexts.Count() == textsWritten,
          "the saved file reads back with as many texts as were written");
  JwwRelease();
  MemoryFiles().clear();
  return 0;
}
