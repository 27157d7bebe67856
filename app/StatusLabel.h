// The status label as the core's progress target: texts arrive as UTF-8 and
// are shown at once, and the Escape key is read from the keyboard state.
#pragma once

#include <windows.h>

#include <chrono>
#include <string>
#include <string_view>

#include "transfer/JwwOutputPass.h"

class TStatusLabel final : public TJwwProgressLabel {
 public:
  // Shortest time between two repaints within a pass. Repainting after every
  // one of a million texts would make the pass crawl; at this rate the count
  // still runs up visibly.
  static constexpr std::chrono::milliseconds kRepaintInterval{15};

  void Attach(HWND label) { label_ = label; }

  // Sets the text and repaints the label before returning.
  void ShowNow(std::string_view utf8);

  // Frames a pass of progress texts: the first text of a pass is always
  // shown, later ones once the repaint interval has passed, and EndPass shows
  // the last text if it was held back.
  void BeginPass();
  void EndPass();

  void ShowText(std::string_view utf8) override;
  bool EscapeDown() override;

 private:
  HWND label_ = nullptr;
  bool showNext_ = true;
  bool holding_ = false;
  std::string held_;
  std::chrono::steady_clock::time_point lastPaint_{};
};
