// A transfer file that is never stored anywhere: the file seam hands out
// `head`, then `unit` `repeat` times, then `tail`, generated as it is read. It
// lets the tests read files of hundreds of megabytes without touching disk.
#pragma once

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>

#include "transfer/seams/JwwFileOps.h"

struct TGeneratedFile {
  std::string head;
  std::string unit;
  int64_t repeat = 0;
  std::string tail;

  int64_t Size() const {
    return static_cast<int64_t>(head.size() + tail.size()) +
           static_cast<int64_t>(unit.size()) * repeat;
  }
};

namespace generated_file {

inline TGeneratedFile file;
inline int64_t position = 0;

inline size_t Copy(const std::string& part, int64_t partStart, char* out, size_t room) {
  int64_t from = position - partStart;
  if (from < 0 || from >= static_cast<int64_t>(part.size())) return 0;
  size_t count = std::min(room, part.size() - static_cast<size_t>(from));
  std::memcpy(out, part.data() + from, count);
  position += static_cast<int64_t>(count);
  return count;
}

inline long long Read(TJwwFile, char* buffer, size_t size) {
  size_t done = Copy(file.head, 0, buffer, size);
  const int64_t unitsStart = static_cast<int64_t>(file.head.size());
  const int64_t unitsEnd = unitsStart + static_cast<int64_t>(file.unit.size()) * file.repeat;
  while (done < size && position >= unitsStart && position < unitsEnd && !file.unit.empty()) {
    int64_t unitStart = position - (position - unitsStart) % static_cast<int64_t>(file.unit.size());
    done += Copy(file.unit, unitStart, buffer + done, size - done);
  }
  done += Copy(file.tail, unitsEnd, buffer + done, size - done);
  return static_cast<long long>(done);
}

inline bool Exists(const std::string&) {
  return true;
}
inline TJwwFile OpenRead(const std::string&) {
  position = 0;
  return &file;
}
// The size alone: a generated file has no stamps.
inline TJwwFileState State(TJwwFile) {
  TJwwFileState state;
  state.size = file.Size();
  return state;
}
// Closes a generated file, or a real one opened for writing.
inline bool Close(TJwwFile handle) {
  return handle == &file || JwwStandardFileOps().close(handle);
}

}  // namespace generated_file

// Makes every read of the file seam read `file`; writes still go to disk.
inline void InstallGeneratedFile(TGeneratedFile file) {
  generated_file::file = std::move(file);
  jwwFileOps = JwwStandardFileOps();
  jwwFileOps.exists = generated_file::Exists;
  jwwFileOps.pathKind = [](const std::string&) { return TJwwPathKind::regular; };
  jwwFileOps.openRead = generated_file::OpenRead;
  jwwFileOps.read = generated_file::Read;
  jwwFileOps.state = generated_file::State;
  jwwFileOps.pathState = [](const std::string&) { return TJwwFileState{}; };
  jwwFileOps.close = generated_file::Close;
}
