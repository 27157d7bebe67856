// What the system tells of a file beyond what the C library can, for the
// file seam's standard operations (JwwFileOps.cpp). The core declares it
// and includes no platform header; the build links one platform library
// that gives it (platform/): fstat and stat on a POSIX system other than
// macOS, which names the stamps otherwise; nothing more on macOS and
// elsewhere. Threads: as the seam's `state` and `pathState`.
#pragma once

#include <cstdio>
#include <optional>
#include <string>

#include "transfer/seams/JwwFileState.h"

// Takes an open stream of the C library. Gives what the system tells of the
// file behind it (with `told` false and size -1 when the system could not
// tell), or nothing where the system tells no more than the C library, which
// then measures the size through the stream.
std::optional<TJwwFileState> JwwSystemFileState(std::FILE* file);

// Takes a path. Gives what the system tells of the file it names now;
// `told` is false when no file is there or the system tells nothing.
TJwwFileState JwwSystemPathState(const std::string& path);
