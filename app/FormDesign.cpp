#include "app/FormDesign.h"

#include <iterator>
#include <string>
#include <string_view>

namespace {

// --- The font ------------------------------------------------------------------

constexpr int kFontHeight = -13;  // character height in pixels, not scaled with DPI

// First choice, then the same face under its English name, then gothic faces
// found where it is missing (IPA fonts on Wine and Linux desktops).
constexpr const wchar_t* kFaceNames[] = {L"ＭＳ ゴシック", L"MS Gothic", L"IPAゴシック",
                                         L"IPAGothic",     L"Meiryo",    L"Yu Gothic"};

int CALLBACK NoteFound(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// The screen's device context for the length of one query.
class TScreenDC {
 public:
  TScreenDC() : dc_(GetDC(nullptr)) {}
  TScreenDC(const TScreenDC&) = delete;
  TScreenDC& operator=(const TScreenDC&) = delete;
  ~TScreenDC() {
    if (dc_) ReleaseDC(nullptr, dc_);
  }
  HDC Get() const { return dc_; }

 private:
  HDC dc_;
};

// Whether the system has `face` with Shift-JIS glyphs.
bool HasJapaneseFace(std::wstring_view face) {
  LOGFONTW query{};
  query.lfCharSet = SHIFTJIS_CHARSET;
  face.copy(query.lfFaceName, LF_FACESIZE - 1);
  bool found = false;
  const TScreenDC screen;
  if (screen.Get()) {
    EnumFontFamiliesExW(screen.Get(), &query, NoteFound, reinterpret_cast<LPARAM>(&found), 0);
  }
  return found;
}

// The window's font, or the nearest Japanese gothic the system has.
TFontHandle CreateFormFont() {
  const wchar_t* face = L"";  // none found: the font mapper picks a Shift-JIS gothic
  for (const wchar_t* candidate : kFaceNames) {
    if (HasJapaneseFace(candidate)) {
      face = candidate;
      break;
    }
  }
  return TFontHandle(CreateFontW(kFontHeight, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE,
                                 SHIFTJIS_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                 DEFAULT_QUALITY, FIXED_PITCH | FF_MODERN, face));
}

// --- The instructions ----------------------------------------------------------------

// The instructions shown in the memo, one string per line.
constexpr const wchar_t* kInstructionLines[] = {
    L"○選択した文字要素の",
    L"　基点を変更します",
    L"○あくまでも、文字要素に",
    L"　とっての基点反転です",
    L"※見た目の反転では",
    L"　ありません",
    L"※Jw_cadで反転移動/複写",
    L"　を行った際、文字の傾きに",
    L"　よって基点反転する状態",
    L"　は異なってきますので",
    L"　注意して下さい",
    L"○特殊文字、制御文字、",
    L"　埋込文字等には未対応です",
    L"",
    L"○左右反転",
    L"　基点を下記のように変更",
    L"　左下←→右下",
    L"　左中←→右中",
    L"　左上←→右上",
    L"○上下反転",
    L"　基点を下記のように変更",
    L"　左下←→左上",
    L"　中下←→中上",
    L"　右下←→右上",
    L"○上下左右反転",
    L"　基点を下記のように変更",
    L"　左下←→右上",
    L"　中下←→中上",
    L"　右下←→左上",
    L"　左中←→右中",
    L"　　",
    L"◆ブロック図形内のもの",
    L"　は処理出来ませんので",
    L"　御注意下さい。",
    L"　ブロック編集内で行う",
    L"　場合には、本ソフトを",
    L"　Jw_cadのインストール・",
    L"　フォルダに配置して",
    L"　実行を行う必要がある",
    L"　場合があります。",
};

// --- The controls ----------------------------------------------------------------------

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
  for (size_t i = 0; i < std::size(kInstructionLines); ++i) {
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

// --- RadioGroup1 -------------------------------------------------------------------

namespace {

HWND TabStopItem(const TFormControls& controls) {
  const int32_t selected = SelectedRadioItem(controls);
  return controls.radioItems[selected < 0 ? 0 : selected];
}

}  // namespace

int32_t ClampRadioIndex(int32_t index) {
  if (index < 0) return -1;
  return index >= kRadioItemCount ? kRadioItemCount - 1 : index;
}

void SelectRadioItem(const TFormControls& controls, int32_t index) {
  const int32_t selected = ClampRadioIndex(index);
  for (int i = 0; i < kRadioItemCount; ++i) {
    SendMessageW(controls.radioItems[i], BM_SETCHECK, i == selected ? BST_CHECKED : BST_UNCHECKED,
                 0);
  }
  UpdateRadioTabStop(controls);
}

int32_t SelectedRadioItem(const TFormControls& controls) {
  for (int i = 0; i < kRadioItemCount; ++i) {
    if (SendMessageW(controls.radioItems[i], BM_GETCHECK, 0, 0) == BST_CHECKED) return i;
  }
  return -1;
}

void UpdateRadioTabStop(const TFormControls& controls) {
  const HWND stop = TabStopItem(controls);
  for (HWND item : controls.radioItems) {
    if (!item) continue;
    const LONG_PTR style = GetWindowLongPtrW(item, GWL_STYLE);
    const LONG_PTR wanted = item == stop ? (style | WS_TABSTOP) : (style & ~WS_TABSTOP);
    if (wanted != style) SetWindowLongPtrW(item, GWL_STYLE, wanted);
  }
}

void FocusRadioGroup(const TFormControls& controls) {
  if (HWND item = TabStopItem(controls)) SetFocus(item);
}
