// The run of a confirmed window without the window: read the transfer file,
// flip, "hd", the output pass, save over the same file.
#pragma once

#include <string>
#include <string_view>

#include "flip/BasePointFlip.h"
#include "transfer/JwwGaibu.h"

class TQuietLabel : public TJwwProgressLabel {
 public:
  void ShowText(std::string_view) override {}
  bool EscapeDown() override { return false; }
};

// Reads `path` into a fresh store. Returns JwwReadFile's answer.
inline bool ReadInto(const std::string& path) {
  JwwInit();
  return JwwReadFile(path);
}

// Runs the confirmed window's flow on the store read from `path` and saves
// the result over it. Returns SaveOutputFile's answer.
inline bool ConfirmAndSave(const std::string& path, int32_t flipType) {
  ResetWriterState();
  FlipAllTexts(flipType, [](int32_t, int32_t) {});
  AddOutputLine("hd");
  TQuietLabel label;
  WriteAllEntities(label);
  return SaveOutputFile(path);
}
