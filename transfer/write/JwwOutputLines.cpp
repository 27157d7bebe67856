// outputLines as the saved file's bytes, in chunks of 1 MiB that are never
// moved; a line and its line end never straddle two chunks. The length of
// every line is kept beside them so that the lines can be read back.
#include "transfer/write/JwwOutputLines.h"

#include <array>
#include <cstddef>
#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "common/MyFunc.h"
#include "transfer/seams/JwwSeams.h"
#include "transfer/store/JwwStore.h"

namespace {

constexpr uint32_t kChunkBytes = 1 << 20;
constexpr std::string_view kLineEnd = "\r\n";

struct Chunk {
  std::unique_ptr<char[]> bytes;
  uint32_t used;
};

std::vector<Chunk> chunks;
std::vector<uint8_t> lineLengths;
int32_t lineCount = 0;
bool afterTextCommand = false;  // the last line is a text command awaiting its text

void NewChunk() {
  JwwAskBlockAllocSeam();
  ReserveForOneMore(chunks);
  chunks.push_back({std::unique_ptr<char[]>(new char[kChunkBytes]), 0});
}

void FreeStorage() {
  chunks.clear();
  chunks.shrink_to_fit();
  lineLengths.clear();
  lineLengths.shrink_to_fit();
}

// True for the first half of a text command: one of the ten text keywords, a
// space, the four numbers separated by single spaces, then a space and a
// double quote. Only such a line is joined with the line after it in the
// file; a font line or any other line that happens to end in a quote is not.
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

// Whether `line`, following a line that `afterCommand` describes, is joined
// with the next line: a text command is, unless it is itself the text of the
// command before it.
bool JoinsNextLine(std::string_view line, bool afterCommand) {
  return !afterCommand && IsTextCommandLine(line);
}

// A line as it is stored: cut to at most 255 bytes, and followed by CR LF
// unless it joins the next line.
struct TStoredLine {
  std::string_view line;
  bool joins;
  size_t Bytes() const { return line.size() + (joins ? 0 : kLineEnd.size()); }
};

TStoredLine LayOut(std::string_view line, bool afterCommand) {
  line = line.substr(0, CharBoundaryLength(line, kJwwLineMax));
  return {line, JoinsNextLine(line, afterCommand)};
}

// Writes the stored bytes of `stored` at `at`, which has room for them.
void Store(char* at, const TStoredLine& stored) {
  if (!stored.line.empty()) std::memcpy(at, stored.line.data(), stored.line.size());
  if (!stored.joins) std::memcpy(at + stored.line.size(), kLineEnd.data(), kLineEnd.size());
}

// The last chunk, with room for `bytes` more.
Chunk& ChunkWithRoom(size_t bytes) {
  if (chunks.empty() || kChunkBytes - chunks.back().used < bytes) NewChunk();
  return chunks.back();
}

class TOutputLinesSink final : public TJwwLineSink {
 public:
  void Add(std::string_view line) override { AddOutputLine(line); }
};

}  // namespace

void AddOutputLine(std::string_view line) {
  const TStoredLine stored = LayOut(line, afterTextCommand);
  Chunk& chunk = ChunkWithRoom(stored.Bytes());
  lineLengths.push_back(static_cast<uint8_t>(stored.line.size()));
  Store(chunk.bytes.get() + chunk.used, stored);
  chunk.used += static_cast<uint32_t>(stored.Bytes());
  afterTextCommand = stored.joins;
  ++lineCount;
}

void TJwwPendingLines::Add(std::string_view line) {
  const TStoredLine stored = LayOut(line, afterTextCommand_);
  if (bytes_.capacity() - bytes_.size() < stored.Bytes()) JwwAskBlockAllocSeam();
  bytes_.append(stored.line);
  if (!stored.joins) bytes_.append(kLineEnd);
  ends_.push_back(static_cast<uint32_t>(bytes_.size()));
  lengths_.push_back(static_cast<uint8_t>(stored.line.size()));
  afterTextCommand_ = stored.joins;
}

void TJwwPendingLines::Clear() {
  bytes_.clear();
  ends_.clear();
  lengths_.clear();
  afterTextCommand_ = false;
}

void AddOutputLines(const TJwwPendingLines& lines, size_t first, size_t end) {
  if (first >= end) return;
  const uint32_t begin = lines.Begin(first);
  const size_t bytes = lines.ends_[end - 1] - begin;
  // The bytes stand as laid out when they were laid out after the same kind
  // of line as the output lines now end with, and they fit in one chunk.
  // Otherwise each line is laid out again as it is added.
  const bool laidOutAfterJoin = first > 0 && lines.Joins(first - 1);
  if (laidOutAfterJoin != afterTextCommand || bytes > kChunkBytes) {
    for (size_t i = first; i < end; ++i) AddOutputLine(lines.Line(i));
    return;
  }
  Chunk& chunk = ChunkWithRoom(bytes);
  lineLengths.insert(lineLengths.end(), lines.lengths_.begin() + static_cast<std::ptrdiff_t>(first),
                     lines.lengths_.begin() + static_cast<std::ptrdiff_t>(end));
  std::memcpy(chunk.bytes.get() + chunk.used, lines.bytes_.data() + begin, bytes);
  chunk.used += static_cast<uint32_t>(bytes);
  afterTextCommand = lines.Joins(end - 1);
  lineCount += static_cast<int32_t>(end - first);
}

void ClearOutputLines() {
  FreeStorage();
  lineCount = 0;
  afterTextCommand = false;
}

void ReleaseOutputLines() {
  FreeStorage();
}

int32_t OutputLineCount() {
  return lineCount;
}

int32_t OutputChunkCount() {
  return static_cast<int32_t>(chunks.size());
}

std::string_view OutputChunk(int32_t i) {
  return {chunks[i].bytes.get(), chunks[i].used};
}

TJwwLineSink& JwwOutputLinesSink() {
  static TOutputLinesSink sink;
  return sink;
}

bool TJwwOutputLineCursor::Next(std::string_view& line) {
  if (index_ >= lineCount) return false;
  while (offset_ >= chunks[chunk_].used) {
    ++chunk_;
    offset_ = 0;
  }
  line = std::string_view(chunks[chunk_].bytes.get() + offset_, lineLengths[index_]);
  const bool joins = JoinsNextLine(line, joined_);
  offset_ += static_cast<uint32_t>(line.size() + (joins ? 0 : kLineEnd.size()));
  joined_ = joins;
  ++index_;
  return true;
}
