// MyFunc: the conversions, Shift-JIS text helpers and plane geometry shared
// by the transfer-file library and the base-point flip. Pure functions, no
// state. Callers include this one header.
#pragma once

#include "common/Geometry.h"
#include "common/ShiftJis.h"
#include "common/TextToNumber.h"
