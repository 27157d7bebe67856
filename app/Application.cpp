// The application window and the program entry.
#include "app/Application.h"

// commctrl.h builds on the types that windows.h declares.
#include <commctrl.h>

#include <string>

#include "app/CommandLine.h"
#include "app/Unit1.h"
#include "app/Win32Platform.h"
#include "app/resource.h"
#include "flip/ConfirmedRun.h"
#include "flip/RunMessages.h"
#include "transfer/JwwGaibu.h"

namespace {

constexpr wchar_t kClassName[] = L"JwwTextFlipApplication";
constexpr wchar_t kApplicationTitle[] = L"k305_文字基点の反転";

// Exit codes of a start with arguments, one for each outcome.
constexpr int kAnswerSaved = 0;
constexpr int kAnswerNotSaved = 1;
constexpr int kBadArguments = 2;
constexpr int kNoTransferFile = 3;
constexpr int kAnsweredHqUnasked = 4;

// "/flip:N": the confirmed run with flip type N on the transfer file, and its
// answer saved, without the window and without the settings file. A run that
// gave the host no answer, or answered "hq" for a reason the user did not
// choose, tells the user why in one message box before the program ends; a
// failed save is told alone, as the window tells it.
int FlipWithoutWindow(int32_t flipType) {
  const std::string folder = FolderOf(ExecutablePath());
  const std::string path = TransferFileIn(folder);
  TJwwSilentProgress progress;
  OpenTransferFile(path);
  const TRunOutcome outcome = RunConfirmedFlip(flipType, progress);
  const bool saved = CloseTransferFile(path);
  if (!TransferFileFound()) {
    ShowMessage(nullptr, Utf8ToWideForDisplay(NoTransferFileMessage(folder)), MB_ICONWARNING);
    return kNoTransferFile;
  }
  if (!saved) {
    ShowMessage(nullptr, Utf8ToWideForDisplay(SaveFailedMessage(folder)), MB_ICONERROR);
    return kAnswerNotSaved;
  }
  if (EndedUnasked(outcome)) {
    ShowMessage(nullptr, Utf8ToWideForDisplay(UnaskedHqMessage(outcome, folder)), MB_ICONERROR);
    return kAnsweredHqUnasked;
  }
  return kAnswerSaved;
}

// Arguments the program does not know: the host is answered "hq", so that it
// changes nothing, and only then the user is told which options there are.
int RefuseArguments(std::wstring_view arguments) {
  // Opened and closed without confirming, as Cancel does: "hq" when there is
  // a transfer file, nothing when there is none.
  const std::string path = TransferFileIn(FolderOf(ExecutablePath()));
  OpenTransferFile(path);
  CloseTransferFile(path);
  ShowMessage(nullptr, BadArgumentsMessage(arguments), MB_ICONWARNING);
  return kBadArguments;
}

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

bool TApplicationWindow::Create(HINSTANCE instance, const wchar_t* title, HICON bigIcon,
                                HICON smallIcon) {
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);
  HWND window =
      CreateWindowExW(0, kClassName, title, WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX, 0,
                      0, 0, 0, nullptr, nullptr, instance, this);
  if (!window) return false;
  window_.Reset(window);
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
  return true;
}

void TApplicationWindow::SetMainForm(HWND form, std::function<void()> requestClose) {
  form_ = form;
  requestClose_ = std::move(requestClose);
}

void TApplicationWindow::Show() {
  ShowWindow(window_.Get(), SW_SHOWNOACTIVATE);
}

LRESULT CALLBACK TApplicationWindow::WindowProc(HWND window, UINT message, WPARAM wParam,
                                                LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TApplicationWindow*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (self) {
    switch (message) {
      case WM_CLOSE:
        if (self->requestClose_) self->requestClose_();
        return 0;
      case WM_SETFOCUS:
        if (self->form_ && IsWindow(self->form_) && IsWindowVisible(self->form_) &&
            IsWindowEnabled(self->form_)) {
          SetActiveWindow(self->form_);
        }
        return 0;
      case WM_NCDESTROY:
        SetWindowLongPtrW(window, GWLP_USERDATA, 0);
        break;
      default:
        break;
    }
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

// Program entry. With arguments: the flip without the window, or the refusal
// of unknown ones. Without: the application window with the title, the main
// window, and the message loop until the main window has closed.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
  InstallWin32FileOps();
  const std::wstring_view given = arguments ? arguments : L"";
  const TCommandLine commandLine = ParseCommandLine(given);
  if (commandLine.mode == TStartMode::flip) return FlipWithoutWindow(commandLine.flipType);
  if (commandLine.mode == TStartMode::badArguments) return RefuseArguments(given);
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
