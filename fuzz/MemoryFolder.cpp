// The memory folder's file operations. An open file is a path and a position;
// the bytes stay in the map, so a write is visible at once, like a write
// through the C library followed by a flush.
#include "fuzz/MemoryFolder.h"

#include <algorithm>
#include <cstring>

#include "transfer/seams/JwwSeams.h"

namespace {

struct OpenFile {
  std::string path;
  size_t position;
};

std::map<std::string, std::string> files;
size_t readChunk = 0;

OpenFile* AsOpen(TJwwFile file) {
  return static_cast<OpenFile*>(file);
}

bool Exists(const std::string& path) {
  return files.count(path) != 0;
}

TJwwFile OpenRead(const std::string& path) {
  if (!Exists(path)) return nullptr;
  return new OpenFile{path, 0};
}

long long Read(TJwwFile file, char* buffer, size_t size) {
  OpenFile* open = AsOpen(file);
  auto found = files.find(open->path);
  if (found == files.end()) return -1;
  const std::string& bytes = found->second;
  size_t count = std::min(size, bytes.size() - std::min(open->position, bytes.size()));
  if (readChunk != 0) count = std::min(count, readChunk);
  if (count != 0) std::memcpy(buffer, bytes.data() + open->position, count);
  open->position += count;
  return static_cast<long long>(count);
}

TJwwFile OpenWrite(const std::string& path) {
  files[path].clear();
  return new OpenFile{path, 0};
}

bool Write(TJwwFile file, const char* data, size_t size) {
  auto found = files.find(AsOpen(file)->path);
  if (found == files.end()) return false;
  found->second.append(data, size);
  return true;
}

bool Flush(TJwwFile) {
  return true;
}

bool Close(TJwwFile file) {
  delete AsOpen(file);
  return true;
}

bool Replace(const std::string& from, const std::string& to) {
  auto found = files.find(from);
  if (found == files.end()) return false;
  std::string bytes = std::move(found->second);
  files.erase(found);
  files[to] = std::move(bytes);
  return true;
}

bool Remove(const std::string& path) {
  return files.erase(path) != 0;
}

// The size alone: the memory folder keeps no stamps.
TJwwFileState State(TJwwFile file) {
  TJwwFileState state;
  auto found = files.find(AsOpen(file)->path);
  if (found != files.end()) state.size = static_cast<long long>(found->second.size());
  return state;
}

TJwwFileState PathState(const std::string&) {
  return {};
}

TJwwFile CreateNew(const std::string& path) {
  return Exists(path) ? nullptr : OpenWrite(path);
}

TJwwPathKind PathKind(const std::string& path) {
  return Exists(path) ? TJwwPathKind::regular : TJwwPathKind::none;
}

}  // namespace

void InstallMemoryFolder() {
  jwwFileOps = {Exists, OpenRead, Read,   OpenWrite, Write,     Flush,
                Close,  Replace,  Remove, State,     PathState, CreateNew, PathKind};
}

std::map<std::string, std::string>& MemoryFiles() {
  return files;
}

void SetMemoryReadChunk(size_t bytes) {
  readChunk = bytes;
}
