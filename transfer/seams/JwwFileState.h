// The file state: the answer of the file seam's `state` and `pathState`
// (JwwFileOps.h), which the platform's part of the seam fills in
// (JwwSystemFileState.h).
#pragma once

#include <cstdint>

// What the system tells about a file. The reader asks it of the open file
// when it opens it and after its last read, and of the path then: a file
// written, cut, extended or rewritten in place meanwhile differs in its size
// or its stamps, a file renamed over the path in its identity.
struct TJwwFileState {
  long long size = -1;  // bytes; -1 when it cannot be told
  // Whether the system told the rest: the file's identity (device and
  // inode; on Windows the volume's serial number and the file index) and its
  // stamps (the last write, and the last change of contents or attributes,
  // which no program can set back, where the system keeps one), in the
  // system's own units: only their equality counts.
  bool told = false;
  uint64_t device = 0;
  uint64_t file = 0;
  int64_t writeTime = 0;
  int64_t changeTime = 0;

  bool operator==(const TJwwFileState&) const = default;
};
