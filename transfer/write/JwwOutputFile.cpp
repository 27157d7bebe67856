// Saving the output lines as the new transfer file, replacing the old one in
// one step.
#include "transfer/write/JwwOutputFile.h"

#include <chrono>
#include <cstdint>
#include <random>
#include <string>
#include <string_view>
#include <utility>

#include "transfer/seams/JwwSeams.h"
#include "transfer/write/JwwOutputLines.h"

namespace {

constexpr std::string_view kNoChange = "hq\r\n";
constexpr std::string_view kTempSuffix = ".new";

// Names tried before the save gives up. Each is created only if no file
// has it yet, so a name taken by another run costs one more try, never that
// run's file; any other failure to create ends the tries at once.
constexpr int kTempNameTries = 16;

// The system's random source, asked once per process: opening it may cost
// more than a small save. 0 when there is none.
uint64_t ProcessRandom() {
  static const uint64_t value = [] {
    try {
      std::random_device device;
      return (uint64_t{device()} << 32) ^ device();
    } catch (...) {
      return uint64_t{0};  // no random source: the clock and the count tell runs apart
    }
  }();
  return value;
}

// A number that differs from run to run and from save to save: the system's
// random source where it has one, the clock, and a count of this process's
// saves. It only has to make a clash rare; createNew makes it harmless.
uint64_t TempNameSeed() {
  static uint64_t savesInThisProcess = 0;
  const uint64_t seed = static_cast<uint64_t>(
      std::chrono::steady_clock::now().time_since_epoch().count());
  return (seed ^ ProcessRandom()) + 0x9E3779B97F4A7C15u * ++savesInThisProcess;
}

// `path` with ".new" and 16 hex digits of `token`: beside it, in its folder.
std::string TempPath(const std::string& path, uint64_t token) {
  std::string name = path + std::string(kTempSuffix);
  for (int shift = 60; shift >= 0; shift -= 4) name += "0123456789abcdef"[(token >> shift) & 15];
  return name;
}

// Creates a temporary file of this save's own beside `path` and names it in
// `tempPath`. nullptr when no name could be created (the folder refuses, or
// every name tried was taken); `tempPath` then stays empty, since no file of
// this save exists.
// Throws std::bad_alloc when memory runs out for a name.
TJwwFile CreateTempFile(const std::string& path, std::string& tempPath) {
  const uint64_t seed = TempNameSeed();
  for (int i = 0; i < kTempNameTries; ++i) {
    std::string name = TempPath(path, seed + 0xD1B54A32D192ED03u * static_cast<uint64_t>(i));
    if (TJwwFile file = jwwFileOps.createNew(name)) {
      tempPath = std::move(name);
      return file;
    }
    if (!jwwFileOps.exists(name)) break;  // not taken: another name fails alike
  }
  return nullptr;
}

// Writes the content to the open `file`: "hq" when there are no lines,
// otherwise the output lines' bytes as they stand, then flushes it. True when
// every byte reached the file.
bool WriteContent(TJwwFile file) {
  bool ok = true;
  if (OutputLineCount() == 0) {
    ok = jwwFileOps.write(file, kNoChange.data(), kNoChange.size());
  } else {
    for (int32_t i = 0; ok && i < OutputChunkCount(); ++i) {
      const std::string_view bytes = OutputChunk(i);
      if (!bytes.empty()) ok = jwwFileOps.write(file, bytes.data(), bytes.size());
    }
  }
  return ok && jwwFileOps.flush(file);
}

// WriteContent, and the file closed whatever happens: a write or flush that
// throws still closes it before the exception goes on, since an open file
// could not be removed on Windows and would stay behind. True when every byte
// reached the file and it was closed cleanly.
bool WriteAndClose(TJwwFile file) {
  bool written = false;
  try {
    written = WriteContent(file);
  } catch (...) {
    try {
      jwwFileOps.close(file);
    } catch (...) {
    }
    throw;
  }
  const bool closed = jwwFileOps.close(file);
  return written && closed;
}

// After a failed save: removes the temporary file when this save created
// it (`tempPath` not empty), then the file at `path` when it is a regular
// file; a folder, a FIFO or a device of that name is not the host's answer
// and is left alone. A file operation may throw; each removal is tried
// whatever the one before it did.
void RemoveAfterFailure(const std::string& path, const std::string& tempPath) {
  if (!tempPath.empty()) {
    try {
      jwwFileOps.remove(tempPath);
    } catch (...) {
    }
  }
  try {
    if (jwwFileOps.pathKind(path) == TJwwPathKind::regular) jwwFileOps.remove(path);
  } catch (...) {
  }
}

}  // namespace

// The whole content goes to a temporary file of this save's own beside
// `path`, which then replaces `path` in one step: the host never finds a
// half-written file, and two runs at once never write into each other's
// temporary file. Only a regular file is replaced: anything else at `path`
// (a folder, a FIFO, a device) fails the save before a temporary file is
// made. On any failure the regular file at `path` is deleted too, so that the
// host cannot take its input back as commands; the temporary file is removed
// only when this save created it.
bool SaveOutputFile(const std::string& path) {
  std::string tempPath;
  try {
    if (jwwFileOps.pathKind(path) == TJwwPathKind::other) return false;
    if (TJwwFile file = CreateTempFile(path, tempPath)) {
      if (WriteAndClose(file) && jwwFileOps.replace(tempPath, path)) return true;
    }
  } catch (...) {
    // A file operation threw, or memory ran out for a name: a failure like
    // any other.
  }
  RemoveAfterFailure(path, tempPath);
  return false;
}
