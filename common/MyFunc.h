// MyFunc: the conversions, Shift-JIS text helpers and plane geometry shared
// by the transfer-file library, the base-point flip and the window. Pure
// functions, no state. Callers include this one header.
#pragma once

#include "common/Geometry.h"
#include "common/IntegerForm.h"
#include "common/ShiftJis.h"
#include "common/TextToNumber.h"
