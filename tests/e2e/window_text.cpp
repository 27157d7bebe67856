// window_text: prints the text of a control of another program's window. The
// end-to-end tests drive the tool under Wine, where a window's text cannot be
// read from the X side; this program asks Windows for it, as any other
// program may.
//
//   window_text CLASS CAPTION ID OWNER
//
// Waits up to 15 s for a visible top-level window of class CLASS with the
// caption CAPTION, then prints, in UTF-8, the text of its child control ID
// (decimal). OWNER is the class of the window that must own it, or "-" for a
// window that no window owns. Exit code 0 when the text was printed; 1 when
// no such window appeared, more than one stands, or its owner is another; 2
// for bad usage.
#include <windows.h>

#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr int kWaitSteps = 150;
constexpr DWORD kStepMilliseconds = 100;

struct TWanted {
  std::wstring className;
  std::wstring caption;
  std::vector<HWND> found;
};

std::wstring ClassOf(HWND window) {
  wchar_t name[256] = L"";
  GetClassNameW(window, name, 256);
  return name;
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

BOOL CALLBACK Collect(HWND window, LPARAM parameter) {
  auto& wanted = *reinterpret_cast<TWanted*>(parameter);
  if (IsWindowVisible(window) && ClassOf(window) == wanted.className &&
      TextOf(window) == wanted.caption) {
    wanted.found.push_back(window);
  }
  return TRUE;
}

void Print(const std::wstring& text) {
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                      nullptr, nullptr);
  DWORD written = 0;
  WriteFile(GetStdHandle(STD_OUTPUT_HANDLE), utf8.data(), static_cast<DWORD>(utf8.size()),
            &written, nullptr);
}

int Fail(const wchar_t* why) {
  fwprintf(stderr, L"window_text: %ls\n", why);
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 5) return 2;
  TWanted wanted{argv[1], argv[2], {}};
  const int id = static_cast<int>(std::wcstol(argv[3], nullptr, 10));
  const std::wstring owner = argv[4];
  for (int step = 0; step < kWaitSteps && wanted.found.empty(); ++step) {
    if (step > 0) Sleep(kStepMilliseconds);
    EnumWindows(Collect, reinterpret_cast<LPARAM>(&wanted));
  }
  if (wanted.found.empty()) return Fail(L"no such window");
  if (wanted.found.size() > 1) return Fail(L"more than one such window");
  HWND window = wanted.found[0];
  HWND ownedBy = GetWindow(window, GW_OWNER);
  if (owner == L"-" ? ownedBy != nullptr : !ownedBy || ClassOf(ownedBy) != owner) {
    return Fail(L"owned by another window");
  }
  HWND control = GetDlgItem(window, id);
  if (!control) return Fail(L"no such control");
  Print(TextOf(control));
  return 0;
}
