// The C library's file operations behind the file seam. std::rename replaces
// the target in one step on POSIX systems; the Windows program installs its
// own operations (MoveFileExW) in their place. The C library cannot keep
// other processes from writing a file that is being read (POSIX has no
// share modes, only advisory locks that a writer may ignore), so the reader
// catches a change afterwards: the state of a file is what the system tells
// (JwwSystemFileState.h: on POSIX what fstat and stat tell, the size, device
// and inode, the last modification and the last status change, to the
// nanosecond); where it tells nothing more, the size through the stream.
#include "transfer/seams/JwwFileOps.h"

#include <cstdio>
#include <filesystem>
#include <optional>
#include <system_error>

#include "transfer/seams/JwwSystemFileState.h"

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

// The size, measured through the stream; -1 beyond the range of long (a
// file over 2 GiB where long has 32 bits).
TJwwFileState StreamSize(std::FILE* f) {
  TJwwFileState state;
  const long at = std::ftell(f);
  if (at < 0 || std::fseek(f, 0, SEEK_END) != 0) return state;
  const long end = std::ftell(f);
  if (std::fseek(f, at, SEEK_SET) != 0) return state;
  state.size = end;
  return state;
}

TJwwFileState State(TJwwFile file) {
  if (const std::optional<TJwwFileState> system = JwwSystemFileState(AsFile(file))) return *system;
  return StreamSize(AsFile(file));
}

// What std::filesystem tells of the path, following a symbolic link to what
// it names; a path it cannot look at counts as something other than a file.
TJwwPathKind PathKind(const std::string& path) {
  std::error_code ec;
  switch (std::filesystem::status(std::filesystem::path(path), ec).type()) {
    case std::filesystem::file_type::not_found:
      return TJwwPathKind::none;
    case std::filesystem::file_type::regular:
      return TJwwPathKind::regular;
    default:
      return TJwwPathKind::other;
  }
}

// "x" (C11) fails when the file exists, checked and created in one step.
TJwwFile CreateNew(const std::string& path) {
  return std::fopen(path.c_str(), "wbx");
}

}  // namespace

TJwwFileOps JwwStandardFileOps() {
  return {Exists,  OpenRead, Read,  OpenWrite,          Write,     Flush,   Close,
          Replace, Remove,   State, JwwSystemPathState, CreateNew, PathKind};
}

TJwwFileOps jwwFileOps = JwwStandardFileOps();
