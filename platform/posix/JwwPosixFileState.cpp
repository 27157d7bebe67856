// posix/: POSIX's own fstat and stat, kept out of the core, which includes no platform header.
#include <sys/stat.h>

#include <cstdint>

#include "transfer/seams/JwwSeams.h"

namespace {

int64_t Nanoseconds(const struct timespec& at) {
  return static_cast<int64_t>(at.tv_sec) * 1'000'000'000 + at.tv_nsec;
}

// The size, the device and inode, the last modification and the last status
// change (which no program can set back), to the nanosecond.
TJwwFileState FromStat(const struct stat& s) {
  TJwwFileState state;
  state.size = static_cast<long long>(s.st_size);
  state.told = true;
  state.device = static_cast<uint64_t>(s.st_dev);
  state.file = static_cast<uint64_t>(s.st_ino);
  state.writeTime = Nanoseconds(s.st_mtim);
  state.changeTime = Nanoseconds(s.st_ctim);
  return state;
}

}  // namespace

std::optional<TJwwFileState> JwwSystemFileState(std::FILE* file) {
  struct stat s;
  if (fstat(fileno(file), &s) != 0) return TJwwFileState{};
  return FromStat(s);
}

TJwwFileState JwwSystemPathState(const std::string& path) {
  struct stat s;
  if (stat(path.c_str(), &s) != 0) return {};
  return FromStat(s);
}
