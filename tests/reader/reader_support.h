// Shared helpers of the reader tests: parse lines into a fresh store, and
// read a byte string through the file seam.
#pragma once

#include <algorithm>
#include <cstring>
#include <initializer_list>
#include <string>
#include <string_view>
#include <utility>

#include "transfer/JwwGaibu.h"

// Starts from an empty store and parses `lines` in order.
inline void ReadLines(std::initializer_list<std::string_view> lines) {
  JwwInit();
  for (std::string_view line : lines) JwwParseLine(line);
}

// The store's record counts as text, kinds with no record left out, e.g.
// "line:2 text:1"; "" for an empty store.
inline std::string KindCounts() {
  static const char* const names[] = {"",        "line", "circle", "arc",    "text",   "point",
                                      "pointEx", "unit", "blk",    "solid2", "solid3", "solid4",
                                      "sc",      "se",   "so",     "sg"};
  std::string out;
  for (int kind = 1; kind <= kJwwKindCount; ++kind) {
    if (JwwKindCount(kind) == 0) continue;
    if (!out.empty()) out += ' ';
    out += std::string(names[kind]) + ':' + std::to_string(JwwKindCount(kind));
  }
  return out;
}

// A file seam that serves `content` in reads of at most `chunk` bytes, can
// fail a read after `readsBeforeError` reads, and lets `change` do to it, after
// `readsBeforeChange` reads, what another process would. It tells its state
// as a POSIX system does: the content's size at the time, its identity, the
// identity of the file its path names now (0: none), and two stamps: every
// write moves both on, a program may set the write time back but not the
// change time.
struct TFakeFile {
  std::string content;
  size_t chunk = 1 << 20;
  int readsBeforeError = -1;  // -1: never fails
  bool opens = true;
  int readsBeforeChange = -1;  // -1: never changed
  void (*change)(TFakeFile&) = nullptr;
  uint64_t identity = 1;
  uint64_t pathNames = 1;
  int64_t writeTime = 0;
  int64_t changeTime = 0;
  size_t at = 0;
  int reads = 0;
  bool closed = false;
};
inline TFakeFile fakeFile;

// Another process writes `bytes` as the whole file.
inline void WriteFake(TFakeFile& file, std::string bytes) {
  file.content = std::move(bytes);
  ++file.writeTime;
  ++file.changeTime;
}

// What the fake system tells of the file `identity` (on device 7); the size
// and the stamps are those of the file being read.
inline TJwwFileState FakeState(uint64_t identity) {
  return {static_cast<long long>(fakeFile.content.size()), true, 7, identity, fakeFile.writeTime,
          fakeFile.changeTime};
}

inline TJwwFileOps FakeFileOps() {
  TJwwFileOps ops = JwwStandardFileOps();
  ops.exists = [](const std::string&) { return true; };
  ops.pathKind = [](const std::string&) { return TJwwPathKind::regular; };
  ops.openRead = [](const std::string&) -> TJwwFile {
    fakeFile.at = 0;
    fakeFile.reads = 0;
    fakeFile.closed = false;
    return fakeFile.opens ? &fakeFile : nullptr;
  };
  ops.read = [](TJwwFile, char* buffer, size_t size) -> long long {
    if (fakeFile.reads == fakeFile.readsBeforeChange) fakeFile.change(fakeFile);
    if (fakeFile.reads++ == fakeFile.readsBeforeError) return -1;
    if (fakeFile.at >= fakeFile.content.size()) return 0;
    size_t n = std::min({size, fakeFile.chunk, fakeFile.content.size() - fakeFile.at});
    std::memcpy(buffer, fakeFile.content.data() + fakeFile.at, n);
    fakeFile.at += n;
    return static_cast<long long>(n);
  };
  ops.state = [](TJwwFile) { return FakeState(fakeFile.identity); };
  ops.pathState = [](const std::string&) {
    return fakeFile.pathNames == 0 ? TJwwFileState{} : FakeState(fakeFile.pathNames);
  };
  ops.close = [](TJwwFile) { return fakeFile.closed = true; };
  return ops;
}

// Reads `content` through the fake seam after JwwInit, then puts the
// standard file operations back.
inline bool ReadThroughFake(const std::string& content, size_t chunk = 1 << 20,
                            int readsBeforeError = -1) {
  fakeFile = TFakeFile{content, chunk, readsBeforeError};
  jwwFileOps = FakeFileOps();
  JwwInit();
  bool ok = JwwReadFile("JWC_TEMP.TXT");
  jwwFileOps = JwwStandardFileOps();
  return ok;
}
