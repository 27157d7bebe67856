#include "app/FormDesign.h"

#include <string>

#include "app/FormFont.h"
#include "app/Instructions.h"

namespace {

HWND CreateControl(HWND parent, const wchar_t* className, const wchar_t* text, DWORD style,
                   int left, int top, int width, int height, int id, HFONT font) {
  HWND control = CreateWindowExW(
      0, className, text, WS_CHILD | WS_VISIBLE | style, left, top, width, height, parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (control) SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  return control;
}

// A multi-line edit asks the dialog manager for every key, Enter and Tab
// included. The memo is read-only text, so it gives those keys back: Enter
// presses the default button and Tab moves on.
LRESULT CALLBACK MemoProc(HWND memo, UINT message, WPARAM wParam, LPARAM lParam) {
  const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(memo, GWLP_USERDATA));
  LRESULT result = CallWindowProcW(original, memo, message, wParam, lParam);
  if (message == WM_GETDLGCODE) result &= ~(DLGC_WANTALLKEYS | DLGC_WANTMESSAGE | DLGC_WANTTAB);
  return result;
}

void KeepEnterAndTabOutOf(HWND memo) {
  if (!memo) return;
  const LONG_PTR original = GetWindowLongPtrW(memo, GWLP_WNDPROC);
  SetWindowLongPtrW(memo, GWLP_USERDATA, original);
  SetWindowLongPtrW(memo, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(MemoProc));
}

std::wstring InstructionText() {
  std::wstring text;
  for (int i = 0; i < kInstructionLineCount; ++i) {
    if (i > 0) text += L"\r\n";
    text += kInstructionLines[i];
  }
  return text;
}

// The items fill the group's inside below its caption in equal rows, as a
// classic radio group lays them out for a 13-pixel font.
constexpr int kGroupLeft = 8, kGroupTop = 8, kGroupWidth = 241, kGroupHeight = 137;
constexpr int kItemLeft = kGroupLeft + 8, kItemWidth = kGroupWidth - 10;
constexpr int kItemTop = kGroupTop + 15, kItemHeight = 39;

constexpr const wchar_t* kRadioItemCaptions[kRadioItemCount] = {L"左右反転", L"上下反転",
                                                                L"上下左右反転"};

}  // namespace

TFormPalette CreateFormPalette() {
  TFormPalette palette;
  palette.font = CreateFormFont();
  palette.window = TBrushHandle(CreateSolidBrush(kWindowColour));
  palette.memo = TBrushHandle(CreateSolidBrush(kMemoColour));
  palette.label = TBrushHandle(CreateSolidBrush(kLabelColour));
  return palette;
}

SIZE FormWindowSize() {
  RECT rect{0, 0, kClientWidth, kClientHeight};
  AdjustWindowRectEx(&rect, kFormStyle, FALSE, kFormExStyle);
  return {rect.right - rect.left, rect.bottom - rect.top};
}

TFormControls CreateFormControls(HWND form, HFONT font) {
  TFormControls c;
  c.button1 = CreateControl(form, L"BUTTON", L"ＯＫ(&Y)", WS_TABSTOP | WS_GROUP | BS_DEFPUSHBUTTON,
                            64, 152, 129, 25, idButton1, font);
  c.button2 =
      CreateControl(form, L"BUTTON", L"キャンセル(&N)", WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, 272,
                    152, 129, 25, idButton2, font);
  c.memo1 = CreateControl(form, L"EDIT", InstructionText().c_str(),
                          WS_GROUP | WS_BORDER | WS_VSCROLL | ES_MULTILINE | ES_READONLY |
                              ES_AUTOVSCROLL | ES_AUTOHSCROLL,
                          264, 8, 209, 137, idMemo1, font);
  KeepEnterAndTabOutOf(c.memo1);
  c.radioGroup1 =
      CreateControl(form, L"BUTTON", L"変更タイプ(&E)", WS_GROUP | BS_GROUPBOX, kGroupLeft,
                    kGroupTop, kGroupWidth, kGroupHeight, idRadioGroup1, font);
  for (int i = 0; i < kRadioItemCount; ++i) {
    const DWORD groupStart = i == 0 ? WS_GROUP : 0;
    c.radioItems[i] = CreateControl(
        form, L"BUTTON", kRadioItemCaptions[i], groupStart | BS_AUTORADIOBUTTON, kItemLeft,
        kItemTop + i * kItemHeight, kItemWidth, kItemHeight, idRadioItem0 + i, font);
  }
  c.labelA1 =
      CreateControl(form, L"STATIC", L"　", WS_GROUP | SS_CENTER | SS_CENTERIMAGE | SS_NOPREFIX, 0,
                    kClientHeight - 24, kClientWidth, 24, idLabelA1, font);
  return c;
}
