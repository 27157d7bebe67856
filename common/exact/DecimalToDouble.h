// A decimal number, correctly rounded to a double by integer arithmetic:
// the long route of the number reading, for texts with many digits or a far
// exponent. The same on every platform, and no C runtime call (strtod).
#pragma once

#include <cstdint>
#include <string_view>

// digits x 10^exponent to the nearest double, ties to even. `digits` holds
// decimal digits and at most one "." that is passed over (so "12.5" with
// exponent -1 is 12.5); leading zeros do not count. Gives infinity when the
// value rounds beyond the largest double and 0 when it rounds to zero.
double DecimalToDouble(std::string_view digits, int64_t exponent);
