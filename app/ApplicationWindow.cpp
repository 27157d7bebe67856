#include "app/ApplicationWindow.h"

namespace {

constexpr wchar_t kClassName[] = L"JwwTextFlipApplication";

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
