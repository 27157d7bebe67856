#include "flip/ConfirmedRun.h"

#include "transfer/JwwGaibu.h"

namespace {

// SaveOutputFile over `path` when the opening found a transfer file; true,
// with nothing written, when it found none. False for an empty path.
// SaveOutputFile handles its own failures; an exception from a file
// operation counts as one more.
bool SaveAnswer(const std::string& path) {
  if (!TransferFileFound()) return true;
  if (path.empty()) return false;
  try {
    return SaveOutputFile(path);
  } catch (...) {
    return false;
  }
}

}  // namespace

bool OpenTransferFile(const std::string& path) {
  try {
    JwwInit();
    if (!path.empty()) JwwReadFile(path);
    ResetWriterState();
  } catch (...) {
    jwwReadResult = jrIncomplete;
    ClearOutputLines();
  }
  return jwwReadResult == jrComplete;
}

bool TransferFileFound() {
  return jwwReadResult != jrNoFile;
}

void RunConfirmedFlip(int32_t flipType, TJwwProgress& progress) {
  if (jwwReadResult == jrIncomplete) return;
  try {
    FlipAllTexts(flipType, progress);
    AddOutputLine("hd");
    WriteAllEntities(progress);
  } catch (...) {
    ClearOutputLines();
  }
}

bool CloseTransferFile(const std::string& path) {
  const bool saved = SaveAnswer(path);
  JwwRelease();
  return saved;
}

bool FlipTransferFile(const std::string& path, int32_t flipType, TJwwProgress& progress) {
  OpenTransferFile(path);
  RunConfirmedFlip(flipType, progress);
  return CloseTransferFile(path);
}
