// The C library's file operations behind the file seam. std::rename replaces
// the target in one step on POSIX systems; the Windows program installs its
// own operations (MoveFileExW) in their place. The C library cannot keep
// other processes from writing a file that is being read (POSIX has no
// share modes, only advisory locks that a writer may ignore), so the reader
// catches a change afterwards: where the system is POSIX, the state of a
// file is what fstat and stat tell (size, device and inode, the last
// modification and the last status change, to the nanosecond); elsewhere the
// C library tells the size alone.
#include "transfer/seams/JwwFileOps.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#if defined(__unix__)
#include <sys/stat.h>
#endif

namespace {

std::FILE* AsFile(TJwwFile file) {
  return static_cast<std::FILE*>(file);
}

// A file that exists but cannot be opened still exists.
bool Exists(const std::string& path) {
  std::error_code ec;
  return std::filesystem::exists(std::filesystem::path(path), ec);
}

TJwwFile OpenRead(const std::string& path) {
  return std::fopen(path.c_str(), "rb");
}

long long Read(TJwwFile file, char* buffer, size_t size) {
  size_t got = std::fread(buffer, 1, size, AsFile(file));
  if (got < size && std::ferror(AsFile(file))) return -1;
  return static_cast<long long>(got);
}

TJwwFile OpenWrite(const std::string& path) {
  return std::fopen(path.c_str(), "wb");
}

bool Write(TJwwFile file, const char* data, size_t size) {
  return std::fwrite(data, 1, size, AsFile(file)) == size;
}

bool Flush(TJwwFile file) {
  return std::fflush(AsFile(file)) == 0;
}

bool Close(TJwwFile file) {
  return std::fclose(AsFile(file)) == 0;
}

bool Replace(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

bool Remove(const std::string& path) {
  return std::remove(path.c_str()) == 0;
}

#if defined(__unix__)

int64_t Nanoseconds(const struct timespec& at) {
  return static_cast<int64_t>(at.tv_sec) * 1'000'000'000 + at.tv_nsec;
}

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

TJwwFileState State(TJwwFile file) {
  struct stat s;
  if (fstat(fileno(AsFile(file)), &s) != 0) return {};
  return FromStat(s);
}

TJwwFileState PathState(const std::string& path) {
  struct stat s;
  if (stat(path.c_str(), &s) != 0) return {};
  return FromStat(s);
}

#else

// The size, measured through the stream; -1 beyond the range of long (a
// file over 2 GiB where long has 32 bits).
TJwwFileState State(TJwwFile file) {
  TJwwFileState state;
  std::FILE* f = AsFile(file);
  const long at = std::ftell(f);
  if (at < 0 || std::fseek(f, 0, SEEK_END) != 0) return state;
  const long end = std::ftell(f);
  if (std::fseek(f, at, SEEK_SET) != 0) return state;
  state.size = end;
  return state;
}

TJwwFileState PathState(const std::string&) {
  return {};
}

#endif

// "x" (C11) fails when the file exists, checked and created in one step.
TJwwFile CreateNew(const std::string& path) {
  return std::fopen(path.c_str(), "wbx");
}

}  // namespace

TJwwFileOps JwwStandardFileOps() {
  return {Exists, OpenRead, Read,  OpenWrite, Write,    Flush,
          Close,  Replace,  Remove, State,     PathState, CreateNew};
}

TJwwFileOps jwwFileOps = JwwStandardFileOps();
