// Saving the output lines as the new transfer file, replacing the old one in
// one step.
#include "transfer/JwwOutputFile.h"

#include <array>
#include <cstring>
#include <memory>
#include <new>
#include <string>
#include <string_view>

#include "transfer/JwwEntityKinds.h"
#include "transfer/JwwFileOps.h"
#include "transfer/JwwOutputLines.h"

namespace {

constexpr size_t kSaveBufferBytes = 1 << 20;
constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kTempSuffix = ".new";

// True for the first half of a text command: one of the ten text keywords, a
// space, the four numbers separated by single spaces, then a space and a
// double quote. Only such a line is joined with the line after it; a font
// line or any other line that happens to end in a quote is not.
bool IsTextCommandLine(std::string_view line) {
  // Every byte the real form can write, "INF" and "NAN" included, as a
  // table: this test runs on every output line.
  static constexpr std::array<bool, 256> kNumberBytes = [] {
    std::array<bool, 256> table{};
    for (unsigned char c : std::string_view("0123456789.-EINFA")) table[c] = true;
    return table;
  }();
  if (line.size() < 5 || line[2] != ' ' || line.substr(line.size() - 2) != " \"") return false;
  bool keyword = false;
  for (std::string_view k : kJwwTextKeywords) keyword = keyword || line.substr(0, 2) == k;
  if (!keyword) return false;
  std::string_view numbers = line.substr(3, line.size() - 5);
  int fields = 0;
  bool inField = false;
  for (char c : numbers) {
    if (c == ' ') {
      if (!inField) return false;  // empty field
      inField = false;
    } else if (kNumberBytes[static_cast<unsigned char>(c)]) {
      if (!inField) ++fields;
      inField = true;
    } else {
      return false;
    }
  }
  return inField && fields == 4;
}

// Gathers bytes in a large buffer and writes it through jwwFileOps in big
// blocks. Remembers the first failure; later writes are then skipped.
class TBlockWriter {
 public:
  explicit TBlockWriter(TJwwFile file)
      : file_(file), buffer_(new (std::nothrow) char[kSaveBufferBytes]) {
    ok_ = buffer_ != nullptr;
  }

  void Put(std::string_view bytes) {
    if (!ok_ || bytes.empty()) return;
    if (kSaveBufferBytes - used_ < bytes.size()) Drain();
    if (!ok_) return;
    std::memcpy(buffer_.get() + used_, bytes.data(), bytes.size());
    used_ += bytes.size();
  }

  // Writes what is buffered and makes it reach the file. False when any
  // write so far failed.
  bool Finish() {
    Drain();
    return ok_ && jwwFileOps.flush(file_);
  }

 private:
  void Drain() {
    if (ok_ && used_ > 0) ok_ = jwwFileOps.write(file_, buffer_.get(), used_);
    used_ = 0;
  }

  TJwwFile file_;
  std::unique_ptr<char[]> buffer_;
  size_t used_ = 0;
  bool ok_;
};

// The file's content: "hq" when there are no lines, otherwise every line
// with CR LF, each text command joined with the text line after it (a last
// text command with no text after it ends the file without a line end).
void PutFileContent(TBlockWriter& out) {
  if (OutputLineCount() == 0) {
    out.Put("hq");
    out.Put(kLineEnd);
    return;
  }
  TJwwOutputLineCursor cursor;
  std::string_view line;
  while (cursor.Next(line)) {
    out.Put(line);
    if (IsTextCommandLine(line)) {
      if (!cursor.Next(line)) break;
      out.Put(line);
    }
    out.Put(kLineEnd);
  }
}

// Writes the content to `tempPath`. True when every byte reached the file and
// it was closed cleanly.
bool WriteTempFile(const std::string& tempPath) {
  TJwwFile file = jwwFileOps.openWrite(tempPath);
  if (file == nullptr) return false;
  TBlockWriter out(file);
  PutFileContent(out);
  bool ok = out.Finish();
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
