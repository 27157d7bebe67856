// The confirmed window without the window, in the run's own phases: opening
// is OpenTransferFile; this is OK followed by closing.
#pragma once

#include <string>

#include "flip/ConfirmedRun.h"
#include "transfer/JwwGaibu.h"

// The confirmed run on the store as opened, then the closing phase over
// `path`: the answer saved and the store freed. Returns whether the answer
// was saved.
inline bool ConfirmAndClose(const std::string& path, int32_t flipType) {
  TJwwSilentProgress progress;
  RunConfirmedFlip(flipType, progress);
  return CloseTransferFile(path);
}
