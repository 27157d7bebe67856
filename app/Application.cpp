// The application window and the program entry.
#include "app/Application.h"

// commctrl.h builds on the types that windows.h declares.
#include <commctrl.h>

#include <cstdint>
#include <string>
#include <string_view>

#include "app/CommandLine.h"
#include "app/RunFlow.h"
#include "app/Unit1.h"
#include "app/Win32Platform.h"
#include "app/resource.h"

namespace {

constexpr wchar_t kClassName[] = L"JwwTextFlipApplication";
constexpr wchar_t kApplicationTitle[] = L"k305_文字基点の反転";

// Where the window's run finds its files: the transfer file and the
// settings file beside the program.
TRunSetup BesideProgram() {
  TRunSetup setup;
  const std::string exePath = ExecutablePath();
  setup.folder = FolderOf(exePath);
  setup.transferFile = TransferFileIn(setup.folder);
  if (!exePath.empty()) setup.settingsFile = ChangeExtension(exePath, ".dat");
  return setup;
}

// The same without the settings file, which only the window keeps.
TRunSetup WithoutSettings(bool windowless) {
  TRunSetup setup = BesideProgram();
  setup.settingsFile.clear();
  setup.windowless = windowless;
  return setup;
}

// The window of a run that has none: a start with /flip:N or with unknown
// arguments, or one whose window could not be made. Nothing is shown but
// the messages, which no window owns; OK's flip type is the one given.
class TNoWindow final : public TRunWindow {
 public:
  explicit TNoWindow(int32_t flipType) : flipType_(flipType) {}
  void ShowStatus(std::string_view) override {}
  TJwwProgress& Progress() override { return progress_; }
  void Place(const TSettings&) override {}
  TSettings Placement() override { return {0, 0, flipType_}; }
  void Tell(std::string_view utf8, TTellAs as) override {
    ShowMessage(nullptr, Utf8ToWideForDisplay(utf8),
                as == TTellAs::warning ? MB_ICONWARNING : MB_ICONERROR);
  }
  void Dismiss() noexcept override {}

 private:
  int32_t flipType_;
  TJwwSilentProgress progress_;
};

// "/flip:N": the confirmed run with flip type N on the transfer file, and its
// answer saved, without the window and without the settings file; a run that
// gave the host no answer, or answered "hq" for a reason the user did not
// choose, tells the user why in one message box before the program ends.
int FlipWithoutWindow(int32_t flipType) {
  TNoWindow window(flipType);
  TRunFlow run(window, WithoutSettings(true));
  run.Open();
  run.Confirm();
  return run.ExitCode();
}

// Arguments the program does not know: the host is answered "hq" (opened and
// closed without confirming, as Cancel does; nothing when there is no
// transfer file), so that it changes nothing, and only then the user is told
// which options there are.
int RefuseArguments(std::wstring_view arguments) {
  TNoWindow window(0);
  TRunFlow run(window, WithoutSettings(false));
  run.Open();
  run.RequestClose();
  ShowMessage(nullptr, BadArgumentsMessage(arguments), MB_ICONWARNING);
  return kExitBadArguments;
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

namespace {

// The program: with arguments, the flip without the window, or the refusal
// of unknown ones; without, the application window with the title, the main
// window, and the message loop until the main window has closed. A window
// that cannot be made fails the run, which still answers the host.
int RunProgram(HINSTANCE instance, std::wstring_view given) {
  const TCommandLine commandLine = ParseCommandLine(given);
  if (commandLine.mode == TStartMode::flip) return FlipWithoutWindow(commandLine.flipType);
  if (commandLine.mode == TStartMode::badArguments) return RefuseArguments(given);
  LoadCommonControls();

  // The icons outlive both windows, which are declared after them.
  const TIconHandle bigIcon = LoadApplicationIcon(instance, SM_CXICON);
  const TIconHandle smallIcon = LoadApplicationIcon(instance, SM_CXSMICON);

  TApplicationWindow application;
  TForm1 Form1(BesideProgram());
  if (!application.Create(instance, kApplicationTitle, bigIcon.Get(), smallIcon.Get()) ||
      !Form1.Create(instance, application.Handle(), bigIcon.Get(), smallIcon.Get())) {
    Form1.Run().Fail();
    return Form1.Run().ExitCode();
  }
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
  return Form1.Run().ExitCode();
}

}  // namespace

// Program entry. A failure before any run exists (memory running out for the
// program's own path) can answer nothing, but it ends the program with an
// exit code rather than the system's crash report.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR arguments, int) {
  InstallWin32FileOps();
  try {
    return RunProgram(instance, arguments ? arguments : L"");
  } catch (...) {
    return kExitNotSaved;
  }
}
