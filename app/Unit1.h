// The main window Form1. Its event handlers forward to the run (RunFlow.h),
// which decides everything from reading the transfer file when the window is
// shown to writing it back when the window closes; the window lends the run
// its status line, its place on the screen, its radio group and its message
// box.
#pragma once

#include <windows.h>

#include <string_view>
#include <utility>

#include "app/FormDesign.h"
#include "app/Handles.h"
#include "app/RunFlow.h"
#include "app/StatusLabel.h"

class TForm1 final : public TRunWindow {
 public:
  explicit TForm1(TRunSetup setup) : run_(*this, std::move(setup)) {}
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;
  ~TForm1();

  // Creates the window from its design, hidden, owned by `owner`. False when
  // the window cannot be created.
  bool Create(HINSTANCE instance, HWND owner, HICON bigIcon, HICON smallIcon);
  HWND Handle() const { return window_.Get(); }
  TRunFlow& Run() { return run_; }

  // Runs FormShow, then shows the window with the focus on Button1.
  void Show();

  // Any request to close the window. While the run waits for the user it
  // closes (the answer saved, the window destroyed); at any other time it
  // does nothing: the OK handler closes the window itself when it ends, and
  // once closing has begun nothing runs a second time.
  void Close();

  // Keyboard handling ahead of dispatch: the dialog keys (Tab, arrows,
  // Enter, Esc, the Alt accelerators). Once closing has begun it swallows all
  // input, so late keys can never reach a handler. True when `message` has
  // been dealt with.
  bool PreTranslateMessage(MSG& message);

  // Event handlers, one event of the run each.
  void FormShow();
  void Button1Click();
  void Button2Click();

  // TRunWindow.
  void ShowStatus(std::string_view utf8) override;
  TJwwProgress& Progress() override;
  void Place(const TSettings& settings) override;
  TSettings Placement() override;
  void Tell(std::string_view utf8, TTellAs as) override;
  void Dismiss() noexcept override;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT ControlColour(HDC dc, HWND control) const;
  void Activate(bool active);

  TRunFlow run_;
  TFormPalette palette_;
  TFormControls controls_;
  TStatusLabel statusLabel_;
  HWND focusedControl_ = nullptr;
  TWindowHandle window_;  // last, so it goes before the palette it paints with
};
