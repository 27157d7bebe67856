// The run of a confirmed window without the window: read the transfer file,
// then the confirmed run and the save over the same file.
#pragma once

#include <string>

#include "flip/ConfirmedRun.h"
#include "transfer/JwwGaibu.h"

// Reads `path` into a fresh store. Returns JwwReadFile's answer.
inline bool ReadInto(const std::string& path) {
  JwwInit();
  return JwwReadFile(path);
}

// Runs the confirmed window's flow on the store as read and saves the result
// over `path`. Returns SaveOutputFile's answer.
inline bool ConfirmAndSave(const std::string& path, int32_t flipType) {
  ResetWriterState();
  TJwwSilentProgress progress;
  RunConfirmedFlip(flipType, progress);
  return SaveOutputFile(path);
}
