// The output pass over the whole store, and the saving of the output lines as
// the new transfer file.
#pragma once

#include <string>
#include <string_view>

// What the pass needs of the window: a status label that shows a text at once
// (UTF-8) and the state of the Escape key, read by polling.
class TJwwProgressLabel {
 public:
  virtual ~TJwwProgressLabel() = default;
  virtual void ShowText(std::string_view utf8) = 0;
  virtual bool EscapeDown() = 0;
};

// Writes "bz" when the input held it, then every entity in input order, then
// the closing layer group and layer lines. Before every 100th entity it shows
// "処理中(ESC:中断)：" i "／" N and polls Escape; Escape down clears the output
// lines and ends the loop (the closing lines are still written).
void WriteAllEntities(TJwwProgressLabel& label);

// Replaces the file at `path` by the output lines (CR LF line ends, a text
// command joined with its text), or by the single line "hq" when there are
// none. The content goes to a temporary file in the same folder that then
// replaces `path` in one step, so `path` is never left half written. On any
// failure the temporary file is removed, the file at `path` is deleted and the
// result is false.
bool SaveOutputFile(const std::string& path);
