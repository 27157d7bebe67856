// Program entry: the application window with the title, the main window, and
// the message loop until the main window has closed.
#include <windows.h>
// commctrl.h builds on the types that windows.h declares.
#include <commctrl.h>

#include "app/ApplicationWindow.h"
#include "app/Handles.h"
#include "app/Unit1.h"
#include "app/Win32FileOps.h"
#include "app/resource.h"

namespace {

constexpr wchar_t kApplicationTitle[] = L"k305_文字基点の反転";

TIconHandle LoadApplicationIcon(HINSTANCE instance, int sizeMetric) {
  const int size = GetSystemMetrics(sizeMetric);
  return TIconHandle(static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(IDI_APPLICATION_ICON),
                                                   IMAGE_ICON, size, size, LR_DEFAULTCOLOR)));
}

// Loads version 6 of the common controls, which the manifest asks for, before
// the first control is created, so that the buttons, the radio buttons and
// the scroll bar are drawn in the current visual style.
void LoadCommonControls() {
  INITCOMMONCONTROLSEX controls{};
  controls.dwSize = sizeof controls;
  controls.dwICC = ICC_STANDARD_CLASSES;
  InitCommonControlsEx(&controls);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  InstallWin32FileOps();
  LoadCommonControls();
  // The icons outlive both windows, which are declared after them.
  const TIconHandle bigIcon = LoadApplicationIcon(instance, SM_CXICON);
  const TIconHandle smallIcon = LoadApplicationIcon(instance, SM_CXSMICON);

  TApplicationWindow application;
  if (!application.Create(instance, kApplicationTitle, bigIcon.Get(), smallIcon.Get())) return 1;
  TForm1 Form1;
  if (!Form1.Create(instance, application.Handle(), bigIcon.Get(), smallIcon.Get())) return 1;
  application.SetMainForm(Form1.Handle(), [&Form1] { Form1.Close(); });

  application.Show();
  Form1.Show();
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (Form1.PreTranslateMessage(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  // A loop ended by anything but the window's own close still writes the
  // transfer file once.
  Form1.Close();
  return 0;
}
