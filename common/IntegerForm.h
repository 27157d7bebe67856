// The integer form of the output lines, the status texts and the settings
// file: decimal digits, "-" for negatives, never "+". No locale is consulted.
#pragma once

#include <cstdint>

// Room that a number form (this one, and the writer's hex digit and real
// forms) may take in the caller's buffer, in bytes.
constexpr int kJwwNumberMax = 32;

// Writes `value` into `out`, which must have room for kJwwNumberMax bytes,
// and returns the end of what it wrote.
char* FormatInt(char* out, int32_t value);
