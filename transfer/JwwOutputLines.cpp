// outputLines, packed: each line is one length byte and its bytes, in chunks
// of 1 MiB that are never moved. A line never straddles two chunks.
#include "transfer/JwwOutputLines.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

#include "common/MyFunc.h"
#include "transfer/JwwBlockList.h"

namespace {

constexpr uint32_t kChunkBytes = 1 << 20;
constexpr int32_t kBlockLines = 1000;

struct Chunk {
  std::unique_ptr<unsigned char[]> bytes;
  uint32_t used;
};

std::vector<Chunk> chunks;
int32_t lineCount = 0;

void NewChunk() {
  if (jwwBlockAllocFails && jwwBlockAllocFails()) throw std::bad_alloc();
  ReserveForOneMore(chunks);
  chunks.push_back({std::unique_ptr<unsigned char[]>(new unsigned char[kChunkBytes]), 0});
}

void FreeStorage() {
  chunks.clear();
  chunks.shrink_to_fit();
}

}  // namespace

void AddOutputLine(std::string_view line) {
  line = line.substr(0, CharBoundaryLength(line, kJwwLineMax));
  if (chunks.empty() || kChunkBytes - chunks.back().used < 1 + line.size()) NewChunk();
  Chunk& chunk = chunks.back();
  unsigned char* at = chunk.bytes.get() + chunk.used;
  at[0] = static_cast<unsigned char>(line.size());
  std::memcpy(at + 1, line.data(), line.size());
  chunk.used += 1 + static_cast<uint32_t>(line.size());
  ++lineCount;
}

void ClearOutputLines() {
  FreeStorage();
  lineCount = 0;
}

void ReleaseOutputLines() {
  FreeStorage();
}

int32_t OutputLineCount() {
  return lineCount;
}

int64_t OutputLineCapacity() {
  return (int64_t{lineCount} + kBlockLines - 1) / kBlockLines * kBlockLines;
}

bool TJwwOutputLineCursor::Next(std::string_view& line) {
  if (index_ >= lineCount) return false;
  if (offset_ >= chunks[chunk_].used) {
    ++chunk_;
    offset_ = 0;
  }
  const unsigned char* at = chunks[chunk_].bytes.get() + offset_;
  line = std::string_view(reinterpret_cast<const char*>(at + 1), at[0]);
  offset_ += 1 + at[0];
  ++index_;
  return true;
}
