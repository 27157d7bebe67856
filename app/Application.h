// The application: its own window and the program entry (wWinMain, in
// Application.cpp), which creates the application window and the main window
// and runs the message loop until the main window has closed.
//
// The application window carries the application title and icon and owns the
// main window. Being the visible, unowned window of the program, it gives the
// program its task-bar button with that title, while the main window keeps its
// own caption. It has no size, so it never shows.
#pragma once

#include <windows.h>

#include <functional>

#include "app/Handles.h"

class TApplicationWindow {
 public:
  // Creates the window (not yet shown); false when that fails.
  bool Create(HINSTANCE instance, const wchar_t* title, HICON bigIcon, HICON smallIcon);
  HWND Handle() const { return window_.Get(); }

  // The main window that takes the focus whenever this one gets it, and the
  // call that asks it to close (close from the task bar, say).
  void SetMainForm(HWND form, std::function<void()> requestClose);

  // Shows the task-bar button without taking the activation.
  void Show();

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

  HWND form_ = nullptr;
  std::function<void()> requestClose_;
  TWindowHandle window_;  // last, so it is destroyed while the members above live
};
