#include "app/StatusLabel.h"

#include "app/TextConversion.h"

void TStatusLabel::ShowNow(std::string_view utf8) {
  holding_ = false;
  lastPaint_ = std::chrono::steady_clock::now();
  if (!label_) return;
  SetWindowTextW(label_, Utf8ToWideForDisplay(utf8).c_str());
  RedrawWindow(label_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void TStatusLabel::BeginPass() {
  showNext_ = true;
  holding_ = false;
}

void TStatusLabel::EndPass() {
  if (holding_) ShowNow(held_);
}

void TStatusLabel::ShowText(std::string_view utf8) {
  const auto now = std::chrono::steady_clock::now();
  if (showNext_ || now - lastPaint_ >= kRepaintInterval) {
    showNext_ = false;
    ShowNow(utf8);
    return;
  }
  held_.assign(utf8);
  holding_ = true;
}

bool TStatusLabel::EscapeDown() {
  return (GetAsyncKeyState(VK_ESCAPE) & 0x8000) != 0;
}
