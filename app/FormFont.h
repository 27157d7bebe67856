// The window's font: "ＭＳ ゴシック", 13 pixels, Shift-JIS character set, or
// the nearest Japanese gothic that the system has.
#pragma once

#include "app/Handles.h"

TFontHandle CreateFormFont();
