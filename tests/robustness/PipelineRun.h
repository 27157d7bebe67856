// The confirmed window without the window, in the run's own phases: opening
// is OpenTransferFile; this is OK followed by the save that closing makes.
#pragma once

#include <string>

#include "flip/ConfirmedRun.h"
#include "transfer/JwwGaibu.h"

// The confirmed run on the store as opened, and its answer saved over `path`.
// Returns SaveOutputFile's answer.
inline bool ConfirmAndSave(const std::string& path, int32_t flipType) {
  TJwwSilentProgress progress;
  RunConfirmedFlip(flipType, progress);
  return SaveOutputFile(path);
}
