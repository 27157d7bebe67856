// A file seam that counts every call of each file operation and fails the
// k-th call of one chosen operation, as a full disk, a lost network share or
// a locked file would, or makes it throw, as an operation may.
#pragma once

#include <algorithm>
#include <array>
#include <stdexcept>
#include <string>

#include "tests/robustness/RestoreFileOps.h"
#include "transfer/seams/JwwFileOps.h"

enum TFileOp {
  kOpenRead,
  kRead,
  kOpenWrite,
  kWrite,
  kFlush,
  kClose,
  kReplace,
  kRemove,
  kCreateNew,
  kFileOps
};

inline const char* FileOpName(TFileOp op) {
  static const char* const kNames[] = {"openRead", "read",    "openWrite", "write",    "flush",
                                       "close",    "replace", "remove",    "createNew"};
  return kNames[op];
}

struct TFileFaultState {
  TFileOp failingOp = kFileOps;  // none
  int failAt = 0;                // 1-based call number of failingOp
  bool throws = false;           // that call throws instead of failing
  std::array<int, kFileOps> calls{};
  int openFiles = 0;  // opened or created and not yet closed
};
inline TFileFaultState fileFaults;

namespace faulty_ops {

inline const TJwwFileOps real = JwwStandardFileOps();

// Counts the call and answers whether it is the one to fail; throws when
// that one is to throw.
inline bool Fails(TFileOp op) {
  const bool fails = ++fileFaults.calls[op] == fileFaults.failAt && op == fileFaults.failingOp;
  if (fails && fileFaults.throws) throw std::runtime_error(FileOpName(op));
  return fails;
}

// Counts a file that was opened, for the test that every one is closed.
inline TJwwFile Opened(TJwwFile file) {
  if (file) ++fileFaults.openFiles;
  return file;
}

inline TJwwFile OpenRead(const std::string& path) {
  return Fails(kOpenRead) ? nullptr : Opened(real.openRead(path));
}
inline long long Read(TJwwFile file, char* buffer, size_t size) {
  return Fails(kRead) ? -1 : real.read(file, buffer, size);
}
inline TJwwFile OpenWrite(const std::string& path) {
  return Fails(kOpenWrite) ? nullptr : Opened(real.openWrite(path));
}
// A failing write still writes the first half of its bytes, as a full disk
// does, so a partial file really exists.
inline bool Write(TJwwFile file, const char* data, size_t size) {
  if (!Fails(kWrite)) return real.write(file, data, size);
  real.write(file, data, size / 2);
  return false;
}
inline bool Flush(TJwwFile file) {
  return !Fails(kFlush) && real.flush(file);
}
// A failing or throwing close still closes: the handle is gone either way.
inline bool Close(TJwwFile file) {
  const bool closed = real.close(file);
  --fileFaults.openFiles;
  return !Fails(kClose) && closed;
}
inline bool Replace(const std::string& from, const std::string& to) {
  return !Fails(kReplace) && real.replace(from, to);
}
inline bool Remove(const std::string& path) {
  return !Fails(kRemove) && real.remove(path);
}
inline TJwwFile CreateNew(const std::string& path) {
  return Fails(kCreateNew) ? nullptr : Opened(real.createNew(path));
}

}  // namespace faulty_ops

// Installs the counting seam; `op` fails at its `failAt`-th call (kFileOps:
// nothing fails), or throws there with `throws`. Counts start at zero.
inline void InstallFileFault(TFileOp op = kFileOps, int failAt = 0, bool throws = false) {
  fileFaults = TFileFaultState{op, failAt, throws, {}};
  using namespace faulty_ops;
  jwwFileOps = {real.exists, OpenRead, Read,   OpenWrite,  Write,          Flush,
                Close,       Replace,  Remove, real.state, real.pathState, CreateNew,
                real.pathKind};
}
