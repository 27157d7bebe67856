// The main window as designed: its size, its controls with their positions,
// captions and styles, and the brushes of its colours. Everything here is in
// pixels of the client area and deliberately not scaled with the DPI.
#pragma once

#include <windows.h>

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

TFormPalette CreateFormPalette();

// Outer size of a window whose client area is the designed one.
SIZE FormWindowSize();

// Creates the controls as children of `form`, in tab order: Button1,
// Button2, Memo1 (not a tab stop), RadioGroup1 with its items, LabelA1.
// A control that cannot be created stays nullptr.
TFormControls CreateFormControls(HWND form, HFONT font);
