#include "app/RadioGroup.h"

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
