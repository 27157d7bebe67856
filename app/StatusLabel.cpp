#include "app/StatusLabel.h"

#include "app/Win32Platform.h"
#include "flip/StatusTexts.h"

void TStatusLabel::ShowNow(std::string_view utf8) {
  lastPaint_ = std::chrono::steady_clock::now();
  if (!label_) return;
  SetWindowTextW(label_, Utf8ToWideForDisplay(utf8).c_str());
  RedrawWindow(label_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

bool TStatusLabel::Due(bool firstOrLast) const {
  return firstOrLast || std::chrono::steady_clock::now() - lastPaint_ >= kRepaintInterval;
}

void TStatusLabel::FlippingText(int32_t i, int32_t count) {
  if (Due(i == 1 || i == count)) ShowNow(FlipProgressStatus(i, count));
}

void TStatusLabel::WritingEntity(int32_t entry, int32_t total) {
  const bool lastReport = total - entry < kJwwProgressEvery;
  if (Due(entry == 1 || lastReport)) ShowNow(PassProgressStatus(entry, total));
}

bool TStatusLabel::EscapeDown() {
  return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0;
}
