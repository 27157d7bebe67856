// The number forms of the output lines: the integer form, which the status
// texts and the settings file use too (common/IntegerForm.h), and the
// writer's own hex digit and real forms. Each writes into `out`, which must
// have room for kJwwNumberMax bytes, and returns the end of what it wrote. No
// locale is consulted: the decimal separator is always ".".
#pragma once

#include <cstdint>

#include "common/MyFunc.h"

// Upper-case hexadecimal digits without leading zeros (a negative value gives
// the eight digits of its 32-bit two's complement).
char* FormatHex(char* out, int32_t value);

// General format with at most 15 significant digits: the exact decimal value
// rounded to 18 significant digits, then half-up to 15; fixed layout for
// decimal exponents -3..15, otherwise "d.dddE-n". Zero of either sign is "0",
// infinities "INF" and "-INF", not-a-number "NAN".
char* FormatReal(char* out, double value);

// The real forms last written on one thread, found by the value's bits: a
// drawing repeats many values (a line ends where the next begins, a
// rectangle's corners share their x and y), and copying a text costs a
// fraction of converting the value again. A copy is the text that the same
// bits gave before, so it cannot differ from a fresh one.
struct TJwwRecentRealForms;

// This thread's recent real forms. A thread_local look-up, which the Windows
// build makes through a call: a caller writing several reals takes it once.
TJwwRecentRealForms& JwwThisThreadsRealForms();

// FormatReal(out, value), through `recent`, which must be this thread's.
char* FormatReal(char* out, double value, TJwwRecentRealForms& recent);
