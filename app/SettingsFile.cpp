// Reads and writes through the core's file operations, so the settings file
// takes the same paths and the same platform calls as the transfer file.
#include "app/SettingsFile.h"

#include <string_view>

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

}  // namespace

TSettings ReadSettingsFile(const std::string& path) {
  TLineCollector lines;
  if (jwwFileOps.exists(path)) {
    if (TJwwFile file = jwwFileOps.openRead(path)) {
      char buffer[512];
      for (;;) {
        const long long got = jwwFileOps.read(file, buffer, sizeof buffer);
        if (got < 0) break;  // the line being read is lost, earlier ones stay
        if (got == 0) {
          lines.Finish();
          break;
        }
        lines.Take(std::string_view(buffer, static_cast<size_t>(got)));
        if (lines.Done()) break;
      }
      jwwFileOps.close(file);
    }
  }
  return {lines.Value(0), lines.Value(1), lines.Value(2)};
}

void WriteSettingsFile(const std::string& path, const TSettings& settings) {
  std::string content;
  for (int32_t value : {settings.winLeft, settings.winTop, settings.flipType}) {
    char number[kJwwNumberMax];
    content.append(number, FormatInt(number, value));
    content.append("\r\n");
  }
  bool written = false;
  if (TJwwFile file = jwwFileOps.openWrite(path)) {
    written = jwwFileOps.write(file, content.data(), content.size());
    written = jwwFileOps.close(file) && written;
  }
  if (!written) jwwFileOps.remove(path);
}
