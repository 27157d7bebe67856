// Reads and writes through the core's file operations, so the settings file
// takes the same paths and the same platform calls as the transfer file.
#include "app/SettingsFile.h"

#include <string_view>
#include <utility>

#include "common/MyFunc.h"
#include "transfer/JwwGaibu.h"

namespace {

constexpr int kSettingsLines = 3;

// Longest line kept for conversion; a longer line cannot be meant as one of
// the three numbers and reads as 0 without holding it all in memory.
constexpr size_t kLineMax = 4096;

// Collects lines (LF or CR LF ends, a CR elsewhere dropped) until three are
// complete; the end of the file completes the last line.
class TLineCollector {
 public:
  void Take(std::string_view bytes) {
    for (char byte : bytes) {
      if (Done()) return;
      if (byte == '\n') {
        EndLine();
      } else if (byte != '\r') {
        started_ = true;
        tooLong_ = tooLong_ || current_.size() == kLineMax;
        if (!tooLong_) current_.push_back(byte);
      }
    }
  }
  void Finish() {
    if (started_ && !Done()) EndLine();
  }
  bool Done() const { return count_ == kSettingsLines; }
  int32_t Value(int i) const { return i < count_ ? values_[i] : 0; }

 private:
  void EndLine() {
    values_[count_++] = tooLong_ ? 0 : TextToInt(current_);
    current_.clear();
    tooLong_ = false;
    started_ = false;
  }

  int32_t values_[kSettingsLines] = {};
  int count_ = 0;
  std::string current_;
  bool tooLong_ = false;
  bool started_ = false;
};

// A file of the seam, closed when this goes out of scope, whatever ends the
// operation: an exception from a file operation or from memory running out
// leaves no file open.
class TClosingFile {
 public:
  explicit TClosingFile(TJwwFile file) : file_(file) {}
  TClosingFile(const TClosingFile&) = delete;
  TClosingFile& operator=(const TClosingFile&) = delete;
  ~TClosingFile() {
    try {
      Close();
    } catch (...) {
    }
  }
  TJwwFile Get() const { return file_; }
  // Closes the file now; false when a write could not be completed.
  bool Close() {
    TJwwFile file = std::exchange(file_, nullptr);
    return !file || jwwFileOps.close(file);
  }

 private:
  TJwwFile file_;
};

// The lines of the regular file at `path` into `lines`, until three are
// complete, the file ends or a read fails.
void ReadLines(const std::string& path, TLineCollector& lines) {
  if (jwwFileOps.pathKind(path) != TJwwPathKind::regular) return;  // a FIFO would wait for ever
  TClosingFile file(jwwFileOps.openRead(path));
  if (!file.Get()) return;
  char buffer[512];
  for (;;) {
    const long long got = jwwFileOps.read(file.Get(), buffer, sizeof buffer);
    if (got < 0) return;  // the line being read is lost, earlier ones stay
    if (got == 0) {
      lines.Finish();
      return;
    }
    lines.Take(std::string_view(buffer, static_cast<size_t>(got)));
    if (lines.Done()) return;
  }
}

// Writes `content` as the file at `path`, unless something other than a
// regular file is there (a FIFO would take the open for ever). True when
// every byte was written and the file closed cleanly.
bool WriteWhole(const std::string& path, const std::string& content) {
  if (jwwFileOps.pathKind(path) == TJwwPathKind::other) return false;
  TClosingFile file(jwwFileOps.openWrite(path));
  if (!file.Get()) return false;
  const bool written = jwwFileOps.write(file.Get(), content.data(), content.size());
  return file.Close() && written;
}

}  // namespace

TSettings ReadSettingsFile(const std::string& path) {
  TLineCollector lines;
  try {
    ReadLines(path, lines);
  } catch (...) {
    // A file operation failed or memory ran out: the lines read before stay.
  }
  return {lines.Value(0), lines.Value(1), lines.Value(2)};
}

// The settings are a convenience: a failure to keep them is not told, and a
// file operation that throws is such a failure.
void WriteSettingsFile(const std::string& path, const TSettings& settings) {
  try {
    std::string content;
    for (int32_t value : {settings.winLeft, settings.winTop, settings.flipType}) {
      char number[kJwwNumberMax];
      content.append(number, FormatInt(number, value));
      content.append("\r\n");
    }
    if (WriteWhole(path, content)) return;
  } catch (...) {
  }
  // What was left half written goes; only a regular file is this program's
  // to remove, never a folder of that name.
  try {
    if (jwwFileOps.pathKind(path) == TJwwPathKind::regular) jwwFileOps.remove(path);
  } catch (...) {
  }
}
