// A command line assembled on the stack from a keyword and numbers in the
// output number forms, then handed to a line sink; it has no way of its own
// into the output lines, so that a line built without a sink does not
// compile. No heap allocation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string_view>

#include "transfer/write/JwwNumberForms.h"
#include "transfer/write/JwwOutputLines.h"

class TJwwCommandLine {
 public:
  // Room for the longest command line: a keyword and ten numbers.
  static constexpr size_t kCapacity = 16 + 10 * (kJwwNumberMax + 1);

  // Starts a line with `keyword` (may be empty: a line of bare numbers).
  explicit TJwwCommandLine(std::string_view keyword = {}) { Text(keyword); }

  // Appends bytes as they are. Bytes that would not fit are dropped, and
  // every sink cuts a line to 255 bytes anyway.
  TJwwCommandLine& Text(std::string_view bytes) {
    size_t n = bytes.size() < Room() ? bytes.size() : Room();
    if (n == 0) return *this;  // an empty view may have no data pointer
    std::memcpy(end_, bytes.data(), n);
    end_ += n;
    return *this;
  }

  // Appends a number directly after what is there.
  TJwwCommandLine& Int(int32_t value) {
    if (Room() >= kJwwNumberMax) end_ = FormatInt(end_, value);
    return *this;
  }
  TJwwCommandLine& Hex(int32_t value) {
    if (Room() >= kJwwNumberMax) end_ = FormatHex(end_, value);
    return *this;
  }
  TJwwCommandLine& Real(double value) {
    if (Room() < kJwwNumberMax) return *this;
    if (!recentForms_) recentForms_ = &JwwThisThreadsRealForms();
    end_ = FormatReal(end_, value, *recentForms_);
    return *this;
  }

  // The same, each preceded by one space: the field separator.
  TJwwCommandLine& SpaceInt(int32_t value) { return Text(" ").Int(value); }
  TJwwCommandLine& SpaceReal(double value) { return Text(" ").Real(value); }
  TJwwCommandLine& SpaceReals(const double* values, int count) {
    for (int i = 0; i < count; ++i) SpaceReal(values[i]);
    return *this;
  }

  std::string_view View() const { return {buffer_, static_cast<size_t>(end_ - buffer_)}; }
  void AddTo(TJwwLineSink& out) const { out.Add(View()); }

 private:
  size_t Room() const { return static_cast<size_t>(buffer_ + kCapacity - end_); }

  char buffer_[kCapacity];
  char* end_ = buffer_;
  // This thread's recent real forms, looked up at the line's first real:
  // once a line rather than once a number.
  TJwwRecentRealForms* recentForms_ = nullptr;
};
