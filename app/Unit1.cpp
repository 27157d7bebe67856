// Form1: its event handlers and what it lends the run (RunFlow.h), then the
// Win32 window behind it (creation from the design, its messages, its
// colours and its keyboard handling). Every decision of the run is left to
// the run, and every piece of work to the core.
#include "app/Unit1.h"

#include <cwctype>

#include "app/Win32Platform.h"

namespace {

constexpr wchar_t kClassName[] = L"TForm1";
constexpr wchar_t kCaption[] = L"文字基点の反転";
constexpr wchar_t kRadioGroupAccelerator = L'e';

bool IsInputMessage(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST) ||
         (message >= WM_NCMOUSEMOVE && message <= WM_NCXBUTTONDBLCLK);
}

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
  if (run_.Closing()) return;  // the opening failed: the run has closed the window
  ShowWindow(Handle(), SW_SHOWNORMAL);
  UpdateWindow(Handle());
  SetFocus(controls_.button1);
}

void TForm1::FormShow() {
  run_.Open();
}

void TForm1::Button1Click() {
  run_.Confirm();
}

void TForm1::Button2Click() {
  run_.RequestClose();
}

void TForm1::Close() {
  run_.RequestClose();
}

void TForm1::ShowStatus(std::string_view utf8) {
  statusLabel_.ShowNow(utf8);
}

TJwwProgress& TForm1::Progress() {
  return statusLabel_;
}

void TForm1::Place(const TSettings& settings) {
  const POINT origin = VisibleOrigin(settings.winLeft, settings.winTop, FormWindowSize());
  SetWindowPos(Handle(), nullptr, origin.x, origin.y, 0, 0,
               SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  SelectRadioItem(controls_, settings.flipType);
}

TSettings TForm1::Placement() {
  RECT bounds{};
  GetWindowRect(Handle(), &bounds);
  return {bounds.left, bounds.top, SelectedRadioItem(controls_)};
}

// Told while the window still stands, so the user does not take its closing
// for a run that worked. Keys typed while OK ran must not close the message
// unread.
void TForm1::Tell(std::string_view utf8, TTellAs as) {
  DiscardQueuedInput();
  ShowMessage(Handle(), Utf8ToWideForDisplay(utf8),
              as == TTellAs::warning ? MB_ICONWARNING : MB_ICONERROR);
}

void TForm1::Dismiss() noexcept {
  DiscardQueuedInput();
  window_.Reset();
}

// --- The window ------------------------------------------------------------------

TForm1::~TForm1() {
  if (HWND window = window_.Get()) SetWindowLongPtrW(window, GWLP_USERDATA, 0);
}

bool TForm1::Create(HINSTANCE instance, HWND owner, HICON bigIcon, HICON smallIcon) {
  palette_ = CreateFormPalette();
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = palette_.window.Get();
  windowClass.lpszClassName = kClassName;
  RegisterClassExW(&windowClass);
  const SIZE size = FormWindowSize();
  HWND window = CreateWindowExW(kFormExStyle, kClassName, kCaption, kFormStyle, 0, 0, size.cx,
                                size.cy, owner, nullptr, instance, this);
  if (!window) return false;
  window_.Reset(window);
  SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon));
  SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon));
  controls_ = CreateFormControls(window, palette_.font.Get());
  statusLabel_.Attach(controls_.labelA1);
  return true;
}

bool TForm1::PreTranslateMessage(MSG& message) {
  HWND window = Handle();
  if (!window || run_.Closing()) return IsInputMessage(message.message);
  if (message.message == WM_SYSCHAR &&
      std::towlower(static_cast<wint_t>(message.wParam)) == kRadioGroupAccelerator &&
      (message.hwnd == window || IsChild(window, message.hwnd))) {
    FocusRadioGroup(controls_);
    return true;
  }
  return IsDialogMessageW(window, &message) != 0;
}

LRESULT CALLBACK TForm1::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* self = reinterpret_cast<TForm1*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (message == WM_NCDESTROY && self) {
    SetWindowLongPtrW(window, GWLP_USERDATA, 0);
    self->window_.Detach();
    self->controls_ = {};
    self->statusLabel_.Attach(nullptr);
    return DefWindowProcW(window, message, wParam, lParam);
  }
  return self ? self->HandleMessage(window, message, wParam, lParam)
              : DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TForm1::HandleMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      const int id = LOWORD(wParam);
      if (id == idButton1) {
        Button1Click();
      } else if (id == idButton2) {
        Button2Click();
      } else if (id >= idRadioItem0 && id < idRadioItem0 + kRadioItemCount) {
        UpdateRadioTabStop(controls_);
      }
      return 0;
    }
    case DM_GETDEFID:
      return MAKELRESULT(idButton1, DC_HASDEFID);
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORBTN:
      return ControlColour(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam));
    case WM_ACTIVATE:
      Activate(LOWORD(wParam) != WA_INACTIVE);
      return 0;
    case WM_SYSCOMMAND:
      // The application window stands for the program: minimising the main
      // window minimises it, and the main window hides and returns with it.
      if ((wParam & 0xFFF0) == SC_MINIMIZE && GetWindow(window, GW_OWNER)) {
        ShowWindow(GetWindow(window, GW_OWNER), SW_MINIMIZE);
        return 0;
      }
      break;
    case WM_CLOSE:
      Close();
      return 0;
    case WM_ENDSESSION:
      if (wParam) Close();
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wParam, lParam);
}

LRESULT TForm1::ControlColour(HDC dc, HWND control) const {
  COLORREF colour = kWindowColour;
  HBRUSH brush = palette_.window.Get();
  if (control == controls_.memo1) {
    colour = kMemoColour;
    brush = palette_.memo.Get();
  } else if (control == controls_.labelA1) {
    colour = kLabelColour;
    brush = palette_.label.Get();
  }
  SetTextColor(dc, GetSysColor(COLOR_WINDOWTEXT));
  SetBkColor(dc, colour);
  return reinterpret_cast<LRESULT>(brush);
}

// Keeps the focused control across a switch to another program and back,
// as a dialog does.
void TForm1::Activate(bool active) {
  HWND window = Handle();
  if (!active) {
    HWND focus = GetFocus();
    if (focus && IsChild(window, focus)) focusedControl_ = focus;
    return;
  }
  HWND target = focusedControl_ && IsWindow(focusedControl_) ? focusedControl_ : controls_.button1;
  if (target) SetFocus(target);
}
