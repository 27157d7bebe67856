// The floor copy: 1 MiB blocks in, lines split with memchr, 1 MiB blocks out.
#include "bench/IoFloor.h"

#include <chrono>
#include <cstring>
#include <memory>
#include <string_view>

#include "transfer/JwwGaibu.h"

namespace {

constexpr size_t kBlockBytes = 1 << 20;

// Output gathered in one large block and written when full.
class TBlockWriter {
 public:
  explicit TBlockWriter(TJwwFile file) : file_(file), block_(new char[kBlockBytes]) {}

  void Line(std::string_view line) {
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    Put(line.data(), line.size());
    Put("\r\n", 2);
  }
  // Writes what is left; false when any write failed.
  bool Finish() {
    Drain();
    return ok_;
  }
  int64_t Written() const { return written_; }

 private:
  void Put(const char* data, size_t size) {
    while (size > 0) {
      size_t room = kBlockBytes - used_;
      size_t part = size < room ? size : room;
      std::memcpy(block_.get() + used_, data, part);
      used_ += part;
      data += part;
      size -= part;
      if (used_ == kBlockBytes) Drain();
    }
  }
  void Drain() {
    if (used_ > 0 && !jwwFileOps.write(file_, block_.get(), used_)) ok_ = false;
    written_ += static_cast<int64_t>(used_);
    used_ = 0;
  }

  TJwwFile file_;
  std::unique_ptr<char[]> block_;
  size_t used_ = 0;
  int64_t written_ = 0;
  bool ok_ = true;
};

// Reads `in` to its end and hands every line to `out`; false on a read error.
bool CopyLines(TJwwFile in, TBlockWriter& out, int64_t& lines) {
  std::unique_ptr<char[]> block(new char[kBlockBytes]);
  std::string carry;  // a line that runs over a block boundary
  for (;;) {
    long long got = jwwFileOps.read(in, block.get(), kBlockBytes);
    if (got < 0) return false;
    if (got == 0) break;
    const char* at = block.get();
    const char* end = at + got;
    while (const char* lf = static_cast<const char*>(std::memchr(at, '\n', end - at))) {
      if (carry.empty()) {
        out.Line(std::string_view(at, lf - at));
      } else {
        carry.append(at, lf - at);
        out.Line(carry);
        carry.clear();
      }
      ++lines;
      at = lf + 1;
    }
    carry.append(at, end - at);
  }
  if (!carry.empty()) {
    out.Line(carry);
    ++lines;
  }
  return true;
}

}  // namespace

TFloorRun CopyLinesThrough(const std::string& input, const std::string& output) {
  TFloorRun run;
  const auto start = std::chrono::steady_clock::now();
  const std::string temporary = output + ".tmp";
  TJwwFile in = jwwFileOps.openRead(input);
  TJwwFile out = in ? jwwFileOps.openWrite(temporary) : nullptr;
  if (out) {
    TBlockWriter writer(out);
    bool read = CopyLines(in, writer, run.lines);
    bool written = writer.Finish() && jwwFileOps.flush(out);
    bool closed = jwwFileOps.close(out);
    run.written = writer.Written();
    run.ok = read && written && closed && jwwFileOps.replace(temporary, output);
  }
  if (in) jwwFileOps.close(in);
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  return run;
}
