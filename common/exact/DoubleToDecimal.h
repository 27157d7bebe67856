// The exact value of a double rounded to a number of significant decimal
// digits, by integer arithmetic: the general route of the real form, for
// magnitudes outside its quick range. The same on every platform, and no C
// runtime call (printf).
#pragma once

#include <cstdint>

// A positive finite `magnitude` rounded to `digits` (1..19) significant
// digits, ties to even: `significand` in [10^(digits-1), 10^digits) and
// `exponent` E with magnitude ~ 0.d1..dn x 10^E.
void RoundToDecimalDigits(double magnitude, int digits, uint64_t& significand, int& exponent);
