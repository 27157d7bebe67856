#include "app/RunFlow.h"

#include <utility>

#include "flip/RunMessages.h"
#include "flip/StatusTexts.h"
#include "transfer/JwwGaibu.h"

TRunFlow::TRunFlow(TRunWindow& window, TRunSetup setup)
    : window_(window), setup_(std::move(setup)) {}

// The one place where a failure ends: whatever `step` throws becomes Fail.
template <class Step>
void TRunFlow::Guarded(Step step) noexcept {
  try {
    step();
  } catch (...) {
    Fail();
  }
}

void TRunFlow::Open() noexcept {
  Guarded([this] {
    if (state_ != TState::starting) return;
    OpenTransferFile(setup_.transferFile);
    opened_ = true;
    window_.Place(setup_.settingsFile.empty() ? TSettings{} : ReadSettingsFile(setup_.settingsFile));
    window_.ShowStatus(OpeningStatus());
    state_ = TState::waiting;
  });
}

// The settings are saved before any text changes; RunConfirmedFlip leaves
// "hd" and the whole selection, or no line at all.
void TRunFlow::Confirm() noexcept {
  Guarded([this] {
    if (state_ != TState::waiting) return;
    state_ = TState::processing;
    const TSettings placement = window_.Placement();
    if (!setup_.settingsFile.empty()) WriteSettingsFile(setup_.settingsFile, placement);
    outcome_ = RunConfirmedFlip(placement.flipType, window_.Progress());
    confirmed_ = true;
    window_.ShowStatus(kStatusWritingFile);
    Close();
  });
}

void TRunFlow::RequestClose() noexcept {
  Guarded([this] {
    if (state_ == TState::waiting) Close();
  });
}

// A failure before closing throws away any answer built so far, so the host
// gets "hq"; closing then tells why. A failure while closing comes from the
// message after the answer was saved: the window still goes. The recursion
// through Guarded ends there, since closing has begun.
void TRunFlow::Fail() noexcept {
  failed_ = true;
  if (state_ == TState::closed) return;
  if (state_ == TState::closing) {
    Dismiss();
    return;
  }
  ClearOutputLines();
  if (!opened_) {
    OpenTransferFile(setup_.transferFile);
    opened_ = true;
  }
  Guarded([this] { Close(); });
}

// Saves the answer and frees the store first (neither throws), so that
// whatever telling the user does, the host has its answer.
void TRunFlow::Close() {
  state_ = TState::closing;
  saved_ = CloseTransferFile(setup_.transferFile);
  const std::string message = ClosingMessage();
  if (!message.empty()) {
    const bool started = TransferFileFound() || failed_;  // else: not started by the host
    window_.Tell(message, started ? TTellAs::error : TTellAs::warning);
  }
  Dismiss();
}

void TRunFlow::Dismiss() noexcept {
  state_ = TState::closed;
  window_.Dismiss();
}

bool TRunFlow::Closing() const {
  return state_ == TState::closing || state_ == TState::closed;
}

int TRunFlow::ExitCode() const {
  if (!TransferFileFound()) return kExitNoTransferFile;
  if (!saved_) return kExitNotSaved;
  if (failed_ || (confirmed_ && EndedUnasked(outcome_))) return kExitHqUnasked;
  return kExitAnswered;
}

// Nothing read (in use, not opened) and partly read each have their own
// text: OK can then only answer "hq".
std::string TRunFlow::OpeningStatus() const {
  if (!TransferFileFound()) return std::string(kStatusNoTransferFile);
  switch (OpeningOutcome()) {
    case TRunOutcome::inUse:
      return std::string(kStatusInUse);
    case TRunOutcome::notOpened:
      return std::string(kStatusNotOpened);
    case TRunOutcome::notReadToEnd:
      return std::string(kStatusNotReadToEnd);
    default:
      return TextCountStatus(JwwKindCount(jekText));
  }
}

// One message at most, the one the user must act on. A transfer file that
// could not be read at all, because another program holds it or it is no
// file, names the cause of a save that fails after it too, so its message
// stands for both (and, after OK or a failure, for the "hq"). Otherwise a
// failed save is told alone: it fails every later run in this folder until
// the user acts, and its causes are also those of a read that failed with
// it. Then a failure, then an "hq" that OK answered unasked. Cancel, Escape
// and a run answered as asked tell nothing.
std::string TRunFlow::ClosingMessage() const {
  const std::string& folder = setup_.folder;
  if (!TransferFileFound()) {
    if (failed_) return UnaskedHqMessage(TRunOutcome::failed, folder);
    return setup_.windowless ? NoTransferFileMessage(folder) : std::string();
  }
  const TRunOutcome opened = OpeningOutcome();
  const bool nothingRead = opened == TRunOutcome::inUse || opened == TRunOutcome::notOpened;
  if (nothingRead && (!saved_ || confirmed_)) return UnaskedHqMessage(opened, folder);
  if (!saved_) return SaveFailedMessage(folder);
  if (failed_) return UnaskedHqMessage(TRunOutcome::failed, folder);
  if (confirmed_) return UnaskedHqMessage(outcome_, folder);
  return {};
}
