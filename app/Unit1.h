// The main window Form1: its event handlers run the whole flow of a run, from
// reading the transfer file when the window is shown to writing it back when
// the window closes.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "app/FormDesign.h"
#include "app/Handles.h"
#include "app/StatusLabel.h"

class TForm1 {
 public:
  // Settings: the window's left and top edges and the flip type (the radio
  // item index, -1 for none).
  int32_t WinLeft = 0;
  int32_t WinTop = 0;
  int32_t FlipType = 0;
  // Folder of the executable with its trailing separator; set in FormShow.
  std::string ExeDir;

  TForm1() = default;
  TForm1(const TForm1&) = delete;
  TForm1& operator=(const TForm1&) = delete;
  ~TForm1();

  // Creates the window from its design, hidden, owned by `owner`. False when
  // the window cannot be created.
  bool Create(HINSTANCE instance, HWND owner, HICON bigIcon, HICON smallIcon);
  HWND Handle() const { return window_.Get(); }

  // Runs FormShow, then shows the window with the focus on Button1.
  void Show();

  // Any request to close the window. While the window waits for the user it
  // runs FormClose and destroys the window; at any other time it does
  // nothing: the OK handler closes the window itself when it ends, and once
  // closing has begun nothing runs a second time.
  void Close();

  // Keyboard handling ahead of dispatch: the dialog keys (Tab, arrows,
  // Enter, Esc, the Alt accelerators). Once closing has begun it swallows all
  // input, so late keys can never reach a handler. True when `message` has
  // been dealt with.
  bool PreTranslateMessage(MSG& message);

  // Event handlers.
  void FormShow();
  void Button1Click();
  void Button2Click();
  void FormClose();

  // The settings file at `path` into WinLeft, WinTop and FlipType (zeros for
  // an empty path or a file that cannot be read), and back. Never throw.
  void LoadSettings(const std::string& path);
  void SaveSettings(const std::string& path);

 private:
  enum class TState { starting, waiting, processing, closing };

  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT ControlColour(HDC dc, HWND control) const;
  void Activate(bool active);

  // Enters the closing state, runs FormClose and destroys the window.
  void CloseWindow();
  void PlaceWindow();
  std::string SettingsPath() const;

  TState state_ = TState::starting;
  // What FormClose tells when the answer was saved: why OK's run answered
  // "hq" unasked, or empty (no OK, or a run that ended as the user chose).
  std::string unaskedHqMessage_;
  std::string exePath_;
  TFormPalette palette_;
  TFormControls controls_;
  TStatusLabel statusLabel_;
  HWND focusedControl_ = nullptr;
  TWindowHandle window_;  // last, so it goes before the palette it paints with
};
