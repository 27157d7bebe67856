// The run flow of Form1: what each event handler asks of the core, in order.
#include "app/Unit1.h"

#include <exception>

#include "app/ModulePath.h"
#include "app/RadioGroup.h"
#include "app/SettingsFile.h"
#include "app/StatusTexts.h"
#include "app/WindowPlacement.h"
#include "flip/BasePointFlip.h"
#include "transfer/JwwGaibu.h"

namespace {

constexpr char kTransferFileName[] = "JWC_TEMP.TXT";

// Throws away keys and clicks still queued, typed while OK was running.
void DiscardQueuedInput() {
  MSG message;
  while (PeekMessageW(&message, nullptr, WM_KEYFIRST, WM_KEYLAST, PM_REMOVE)) {
  }
  while (PeekMessageW(&message, nullptr, WM_MOUSEFIRST, WM_MOUSELAST, PM_REMOVE)) {
  }
}

}  // namespace

void TForm1::Show() {
  FormShow();
  state_ = TState::waiting;
  ShowWindow(Handle(), SW_SHOWNORMAL);
  UpdateWindow(Handle());
  SetFocus(controls_.button1);
}

void TForm1::FormShow() {
  JwwInit();
  exePath_ = ExecutablePath();
  ExeDir = FolderOf(exePath_);
  // Without its own folder the program must not guess a transfer file.
  if (!ExeDir.empty()) JwwReadFile(ExeDir + kTransferFileName);
  ResetWriterState();
  LoadSettings(SettingsPath());
  PlaceWindow();
  SelectRadioItem(controls_, FlipType);
  statusLabel_.ShowNow(TextCountStatus(JwwKindCount(jekText)));
}

void TForm1::Button1Click() {
  if (state_ != TState::waiting) return;
  state_ = TState::processing;
  RECT bounds{};
  GetWindowRect(Handle(), &bounds);
  WinLeft = bounds.left;
  WinTop = bounds.top;
  FlipType = SelectedRadioItem(controls_);
  SaveSettings(SettingsPath());
  RunConfirmedPass();
  statusLabel_.ShowNow(kStatusWritingFile);
  CloseWindow();
}

void TForm1::RunConfirmedPass() {
  // A transfer file read only in part must not come back as "hd" and part of
  // the selection: the host would lose the rest. It comes back as "hq".
  if (jwwReadResult == jrIncomplete) return;
  try {
    statusLabel_.BeginPass();
    FlipAllTexts(FlipType,
                 [this](int32_t i, int32_t n) { statusLabel_.ShowText(FlipProgressStatus(i, n)); });
    statusLabel_.EndPass();
    AddOutputLine("hd");
    statusLabel_.BeginPass();
    WriteAllEntities(statusLabel_);
    statusLabel_.EndPass();
  } catch (const std::exception&) {
    // Memory ran out part way: give the host nothing rather than a part.
    ClearOutputLines();
  }
}

void TForm1::Button2Click() {
  if (state_ != TState::waiting) return;
  Close();
}

void TForm1::Close() {
  if (state_ == TState::waiting) CloseWindow();
}

void TForm1::CloseWindow() {
  state_ = TState::closing;
  FormClose();
  DiscardQueuedInput();
  window_.Reset();
}

void TForm1::FormClose() {
  if (!ExeDir.empty()) SaveOutputFile(ExeDir + kTransferFileName);
  JwwRelease();
}

void TForm1::LoadSettings(const std::string& path) {
  const TSettings settings = path.empty() ? TSettings{} : ReadSettingsFile(path);
  WinLeft = settings.winLeft;
  WinTop = settings.winTop;
  FlipType = settings.flipType;
}

void TForm1::SaveSettings(const std::string& path) {
  if (!path.empty()) WriteSettingsFile(path, {WinLeft, WinTop, FlipType});
}

std::string TForm1::SettingsPath() const {
  return exePath_.empty() ? std::string() : ChangeExtension(exePath_, ".dat");
}

void TForm1::PlaceWindow() {
  const POINT origin = VisibleOrigin(WinLeft, WinTop, FormWindowSize());
  SetWindowPos(Handle(), nullptr, origin.x, origin.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}
