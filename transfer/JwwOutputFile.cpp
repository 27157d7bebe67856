// Saving the output lines as the new transfer file, replacing the old one in
// one step.
#include "transfer/JwwOutputFile.h"

#include <string>
#include <string_view>

#include "transfer/JwwFileOps.h"
#include "transfer/JwwOutputLines.h"

namespace {

constexpr std::string_view kNoChange = "hq\r\n";
constexpr std::string_view kTempSuffix = ".new";

// Writes the content to `tempPath`: "hq" when there are no lines, otherwise
// the output lines' bytes as they stand. True when every byte reached the
// file and it was closed cleanly.
bool WriteTempFile(const std::string& tempPath) {
  TJwwFile file = jwwFileOps.openWrite(tempPath);
  if (file == nullptr) return false;
  bool ok = true;
  if (OutputLineCount() == 0) {
    ok = jwwFileOps.write(file, kNoChange.data(), kNoChange.size());
  } else {
    for (int32_t i = 0; ok && i < OutputChunkCount(); ++i) {
      const std::string_view bytes = OutputChunk(i);
      if (!bytes.empty()) ok = jwwFileOps.write(file, bytes.data(), bytes.size());
    }
  }
  ok = ok && jwwFileOps.flush(file);
  bool closed = jwwFileOps.close(file);
  return ok && closed;
}

}  // namespace

// The whole content goes to a temporary file beside `path`, which then
// replaces `path` in one step: the host never finds a half-written file. On
// any failure the file at `path` is deleted too, so that the host cannot take
// its input back as commands.
bool SaveOutputFile(const std::string& path) {
  std::string tempPath;
  try {
    tempPath = path + std::string(kTempSuffix);
  } catch (...) {
    jwwFileOps.remove(path);
    return false;
  }
  if (WriteTempFile(tempPath) && jwwFileOps.replace(tempPath, path)) return true;
  jwwFileOps.remove(tempPath);
  jwwFileOps.remove(path);
  return false;
}
