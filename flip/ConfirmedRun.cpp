#include "flip/ConfirmedRun.h"

#include <new>

#include "transfer/JwwGaibu.h"

namespace {

// Passes every report on to the caller's progress and notes whether Escape
// was found down, which ends the output pass: the one choice the user makes
// while the run goes on.
class TEscapeWatch final : public TJwwProgress {
 public:
  explicit TEscapeWatch(TJwwProgress& inner) : inner_(inner) {}
  void FlippingText(int32_t i, int32_t count) override { inner_.FlippingText(i, count); }
  void WritingEntity(int32_t entry, int32_t total) override { inner_.WritingEntity(entry, total); }
  bool EscapeDown() override {
    pressed_ = inner_.EscapeDown();
    return pressed_;
  }
  bool Pressed() const { return pressed_; }

 private:
  TJwwProgress& inner_;
  bool pressed_ = false;
};

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

TRunOutcome OpeningOutcome() {
  switch (jwwReadResult) {
    case jrComplete:
    case jrNoFile:
      break;
    case jrInUse:
      return TRunOutcome::inUse;
    case jrNotOpened:
      return TRunOutcome::notOpened;
    case jrIncomplete:
      return TRunOutcome::notReadToEnd;
  }
  return TRunOutcome::answered;
}

TRunOutcome RunConfirmedFlip(int32_t flipType, TJwwProgress& progress) {
  const TRunOutcome opened = OpeningOutcome();
  if (opened != TRunOutcome::answered) return opened;
  TEscapeWatch watched(progress);
  try {
    FlipAllTexts(flipType, watched);
    AddOutputLine("hd");
    WriteAllEntities(watched);
  } catch (const std::bad_alloc&) {
    ClearOutputLines();
    return TRunOutcome::outOfMemory;
  } catch (...) {
    ClearOutputLines();
    return TRunOutcome::failed;
  }
  if (!watched.Pressed()) return TRunOutcome::answered;
  ClearOutputLines();
  return TRunOutcome::escaped;
}

bool EndedUnasked(TRunOutcome outcome) {
  return outcome != TRunOutcome::answered && outcome != TRunOutcome::escaped;
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
