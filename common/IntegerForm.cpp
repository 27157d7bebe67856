// The integer form, from std::to_chars: exact on every platform, no locale,
// no allocation.
#include "common/IntegerForm.h"

#include <charconv>

char* FormatInt(char* out, int32_t value) {
  return std::to_chars(out, out + kJwwNumberMax, value).ptr;
}
