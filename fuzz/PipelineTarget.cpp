// Fuzz target: the whole run of a confirmed window. The first byte picks the
// flip type (0..3, where 3 changes nothing); the rest is the transfer file.
// The confirmed run as the tool makes it (read, flip, "hd", the output pass,
// save), then the saved file read back.
#include <string>

#include "flip/ConfirmedRun.h"
#include "fuzz/EndMarkOracle.h"
#include "fuzz/FuzzChecks.h"
#include "fuzz/FuzzEntry.h"
#include "fuzz/MemoryFolder.h"
#include "transfer/JwwGaibu.h"

namespace {

const std::string kPath = "JWC_TEMP.TXT";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  InstallMemoryFolder();
  SetMemoryReadChunk(0);
  MemoryFiles().clear();
  MemoryFiles()[kPath].assign(reinterpret_cast<const char*>(data) + 1, size - 1);
  const int32_t flipType = data[0] % 4;
  const bool cutShort = ReadsAsCutShort(MemoryFiles()[kPath]);

  TJwwSilentProgress progress;
  Require(FlipTransferFile(kPath, flipType, progress), "the save succeeds");
  Require(jwwReadResult == (cutShort ? jrIncomplete : jrComplete),
          "the file is read to its end unless it is empty or statements follow its end-of-file mark");
  RequireSoundStore();
  const int textsWritten = CountTextCommands();
  Require(MemoryFiles().size() == 1 && MemoryFiles().count(kPath) == 1,
          "the save leaves the transfer file and nothing else");
  const std::string saved = MemoryFiles()[kPath];
  Require(!cutShort || saved == "hq\r\n", "a file not read to its end is answered with hq");
  Require(RequireSoundSavedFile(saved) == textsWritten,
          "every text command is joined with its text in the saved file");

  JwwInit();
  Require(JwwReadFile(kPath) && jwwReadResult == jrComplete, "the saved file is read back");
  Require(jwwTexts.Count() + jwwLineTexts.Count() == textsWritten,
          "the saved file reads back with as many texts as were written");
  JwwRelease();
  MemoryFiles().clear();
  return 0;
}
