// The status label LabelA1 as the run's progress target: it turns the numbers
// the run reports into the status texts, shows each at once, and reads the
// Escape key from the keyboard state.
#pragma once

#include <windows.h>

#include <chrono>
#include <cstdint>
#include <string_view>

#include "transfer/JwwGaibu.h"

class TStatusLabel final : public TJwwProgress {
 public:
  // Shortest time between two repaints of progress. Repainting after every
  // one of a million texts would make the run crawl; at this rate the count
  // still runs up visibly. The first and the last report of each pass are
  // always shown.
  static constexpr std::chrono::milliseconds kRepaintInterval{15};

  void Attach(HWND label) { label_ = label; }

  // Sets the text and repaints the label before returning.
  void ShowNow(std::string_view utf8);

  void FlippingText(int32_t i, int32_t count) override;
  void WritingEntity(int32_t entry, int32_t total) override;
  bool EscapeDown() override;

 private:
  // Whether a progress report is to be shown now: always the first and the
  // last of a pass, the others once the repaint interval has passed. Texts
  // not shown are never built.
  bool Due(bool firstOrLast) const;

  HWND label_ = nullptr;
  std::chrono::steady_clock::time_point lastPaint_{};
};
