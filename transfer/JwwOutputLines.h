// outputLines: the one ordered list of lines that becomes the new transfer
// file, and AddOutputLine, its only entry point.
//
// Lines are packed back to back in a byte arena of large chunks that are never
// moved; a table with one entry per block of 1000 lines finds a line by index.
// The list's capacity follows the store's growth rule (count + 999 when the
// count reaches 1, 1001, 2001, ...).
#pragma once

#include <cstdint>
#include <string_view>

// Longest output line, in bytes.
constexpr size_t kJwwLineMax = 255;

// Appends `line`, cut to at most 255 bytes without splitting a two-byte
// character. Throws std::bad_alloc when memory runs out.
void AddOutputLine(std::string_view line);

// Count 0, storage released.
void ClearOutputLines();

int32_t OutputLineCount();
int64_t OutputLineCapacity();

// Line `i` (0-based, below OutputLineCount()). The view stays valid until the
// list is cleared or released.
std::string_view OutputLine(int32_t i);

// Walks the lines in order without looking each one up.
class TJwwOutputLineCursor {
 public:
  // The next line, or false after the last.
  bool Next(std::string_view& line);
  void SeekTo(int32_t index, uint32_t chunk, uint32_t offset) {
    index_ = index;
    chunk_ = chunk;
    offset_ = offset;
  }

 private:
  int32_t index_ = 0;
  uint32_t chunk_ = 0;
  uint32_t offset_ = 0;
};

// Frees the storage at close; the count is left as it was.
void ReleaseOutputLines();
