// RadioGroup1 as one control: an item index within -1..2, the keyboard focus
// on its selected item, and that item as the group's one tab stop.
#pragma once

#include <cstdint>

#include "app/FormDesign.h"

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
