// outputLines: the one ordered list of lines that becomes the new transfer
// file, and its two entry points: AddOutputLine, a line at a time, and
// AddOutputLines, lines laid out ahead (TJwwPendingLines), appended exactly
// as AddOutputLine would append each.
//
// The lines are kept as the bytes of the file itself: each line followed by
// CR LF, except that a text command is joined with the text line after it.
// Saving is then only writing those bytes out. A cursor reads the lines back
// in order.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// Longest output line, in bytes.
constexpr size_t kJwwLineMax = 255;

// Appends `line`, cut to at most 255 bytes without splitting a two-byte
// character. Throws std::bad_alloc when memory runs out.
void AddOutputLine(std::string_view line);

// Count 0, storage released.
void ClearOutputLines();

int32_t OutputLineCount();

// The file's bytes in order, as chunks: chunk `i` of OutputChunkCount(). Each
// view stays valid until the list is cleared or released.
int32_t OutputChunkCount();
std::string_view OutputChunk(int32_t i);

// Walks the lines in order, from the first. A view it gives stays valid until
// the list is cleared or released.
class TJwwOutputLineCursor {
 public:
  // The next line, or false after the last.
  bool Next(std::string_view& line);

 private:
  int32_t index_ = 0;
  uint32_t chunk_ = 0;
  uint32_t offset_ = 0;
  bool joined_ = false;  // the line before was a text command joined with this one
};

// Frees the storage at close; the count is left as it was.
void ReleaseOutputLines();

// Where lines go: the output lines themselves, or a buffer whose lines the
// output pass appends to them later, in order.
class TJwwLineSink {
 public:
  virtual void Add(std::string_view line) = 0;

 protected:
  ~TJwwLineSink() = default;
};

// The sink that appends to the output lines through AddOutputLine.
TJwwLineSink& JwwOutputLinesSink();

// Lines laid out ahead, as AddOutputLine would store them, so that they can
// be appended to the output lines later in one step. Any thread may fill one;
// only the output lines' own thread appends it.
class TJwwPendingLines final : public TJwwLineSink {
 public:
  // Throws std::bad_alloc when memory runs out (the block fault seam is
  // asked before the bytes grow).
  void Add(std::string_view line) override;
  void Clear();
  size_t Count() const { return lengths_.size(); }

 private:
  friend void AddOutputLines(const TJwwPendingLines& lines, size_t first, size_t end);

  uint32_t Begin(size_t i) const { return i == 0 ? 0 : ends_[i - 1]; }
  std::string_view Line(size_t i) const {
    return std::string_view(bytes_).substr(Begin(i), lengths_[i]);
  }
  // Whether line i went without its line end: a text command joined with the
  // next line.
  bool Joins(size_t i) const { return ends_[i] - Begin(i) == lengths_[i]; }

  std::string bytes_;             // the lines with their line ends, back to back
  std::vector<uint32_t> ends_;    // where each line's bytes end, its line end included
  std::vector<uint8_t> lengths_;  // each line's length
  bool afterTextCommand_ = false;
};

// Appends lines [first, end) of `lines` to the output lines, exactly as
// AddOutputLine of each line in turn would. Throws std::bad_alloc when memory
// runs out.
void AddOutputLines(const TJwwPendingLines& lines, size_t first, size_t end);
