// The main window as designed: its size, its font, its controls with their
// positions, captions, instruction texts and styles, the brushes of its
// colours, and the radio group's behaviour as one control. Everything here is
// in pixels of the client area and deliberately not scaled with the DPI.
#pragma once

#include <windows.h>

#include <cstdint>

#include "app/Handles.h"

inline constexpr int kClientWidth = 475;
inline constexpr int kClientHeight = 207;
inline constexpr int kRadioItemCount = 3;

// Control identifiers. OK and Cancel carry the dialog manager's own ids, so
// Enter and Esc reach them as in any dialog.
enum TControlId : int {
  idButton1 = IDOK,
  idButton2 = IDCANCEL,
  idRadioGroup1 = 100,
  idRadioItem0 = 101,  // items 0..2 follow on
  idMemo1 = 110,
  idLabelA1 = 111,
};

// The window style: fixed size, minimise and close boxes, no maximise box.
// No WS_CLIPCHILDREN: the group box leaves its background to the window.
inline constexpr DWORD kFormStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
inline constexpr DWORD kFormExStyle = 0;

struct TFormControls {
  HWND radioGroup1 = nullptr;
  HWND radioItems[kRadioItemCount] = {};
  HWND memo1 = nullptr;
  HWND button1 = nullptr;
  HWND button2 = nullptr;
  HWND labelA1 = nullptr;
};

// The GDI objects the window paints with; they outlive its controls.
struct TFormPalette {
  TFontHandle font;
  TBrushHandle window;  // white
  TBrushHandle memo;    // 187, 235, 244
  TBrushHandle label;   // 231, 231, 231
};

inline constexpr COLORREF kWindowColour = RGB(255, 255, 255);
inline constexpr COLORREF kMemoColour = RGB(187, 235, 244);
inline constexpr COLORREF kLabelColour = RGB(231, 231, 231);

// The window's font ("ＭＳ ゴシック", 13 pixels, Shift-JIS character set, or
// the nearest Japanese gothic that the system has) and its brushes.
TFormPalette CreateFormPalette();

// Outer size of a window whose client area is the designed one.
SIZE FormWindowSize();

// Creates the controls as children of `form`, in tab order: Button1,
// Button2, Memo1 (not a tab stop), RadioGroup1 with its items, LabelA1.
// A control that cannot be created stays nullptr.
TFormControls CreateFormControls(HWND form, HFONT font);

// --- RadioGroup1 as one control --------------------------------------------------
// An item index within -1..2, the keyboard focus on its selected item, and
// that item as the group's one tab stop.

// The index as the group keeps it: below -1 none (-1), above 2 the last item.
int32_t ClampRadioIndex(int32_t index);

// Selects item ClampRadioIndex(index); -1 clears the selection.
void SelectRadioItem(const TFormControls& controls, int32_t index);

// The selected item, or -1 when none is.
int32_t SelectedRadioItem(const TFormControls& controls);

// Moves the tab stop onto the selected item (the first item when none is).
void UpdateRadioTabStop(const TFormControls& controls);

// Gives the keyboard focus to the group: to its selected item, or the first.
void FocusRadioGroup(const TFormControls& controls);
