// Where the window opens from the saved position.
#pragma once

#include <windows.h>

#include <cstdint>

// (left, top) when a window of `size` there would show on some monitor, even
// in part; (0, 0) when it would lie entirely off every monitor (a screen that
// has since been removed, say).
POINT VisibleOrigin(int32_t left, int32_t top, SIZE size);
