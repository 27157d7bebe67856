// The entry point that every fuzz target defines: libFuzzer calls it with each
// input it tries, the replay program with each file it is given.
#pragma once

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);
