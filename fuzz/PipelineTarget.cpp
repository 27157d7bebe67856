// Fuzz target: the whole run of a confirmed window. The first byte picks the
// flip type (0..3, where 3 changes nothing); the rest is the transfer file.
// Read, flip, "hd", the output pass, save, and read the saved file back.
#include <string>
#include <string_view>

#include "flip/BasePointFlip.h"
#include "fuzz/EndMarkOracle.h"
#include "fuzz/FuzzChecks.h"
#include "fuzz/FuzzEntry.h"
#include "fuzz/MemoryFolder.h"
#include "transfer/JwwGaibu.h"

namespace {

const std::string kPath = "JWC_TEMP.TXT";

// A label nobody sees and an Escape key nobody presses.
class SilentLabel : public TJwwProgressLabel {
 public:
  void ShowText(std::string_view) override {}
  bool EscapeDown() override { return false; }
};

void ReadTransferFile() {
  JwwInit();
  Require(JwwReadFile(kPath) && jwwReadResult == jrComplete, "the transfer file is read");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  if (size == 0) return 0;
  InstallMemoryFolder();
  SetMemoryReadChunk(0);
  MemoryFiles().clear();
  MemoryFiles()[kPath].assign(reinterpret_cast<const char*>(data) + 1, size - 1);
  const int32_t flipType = data[0] % 4;

  if (HasStatementsAfterEndMark(MemoryFiles()[kPath])) {
    // The window answers such a file with "hq"; there is no pass to check.
    JwwInit();
    Require(!JwwReadFile(kPath) && jwwReadResult == jrIncomplete,
            "statements after the end-of-file mark make the read incomplete");
    JwwRelease();
    MemoryFiles().clear();
    return 0;
  }
  ReadTransferFile();
  ResetWriterState();
  FlipAllTexts(flipType, [](int32_t, int32_t) {});
  RequireSoundStore();
  AddOutputLine("hd");
  SilentLabel label;
  WriteAllEntities(label);
  const int textsWritten = CountTextCommands();

  Require(SaveOutputFile(kPath), "the save succeeds");
  Require(MemoryFiles().size() == 1 && MemoryFiles().count(kPath) == 1,
          "the save leaves the transfer file and nothing else");
  const std::string saved = MemoryFiles()[kPath];
  Require(RequireSoundSavedFile(saved) == textsWritten,
          "every text command is joined with its text in the saved file");

  ReadTransferFile();
  Require(jwwTexts.Count() + jwwLineTexts.Count() == textsWritten,
          "the saved file reads back with as many texts as were written");
  JwwRelease();
  MemoryFiles().clear();
  return 0;
}
