// Splitting one transfer-file line into its tokens.
#pragma once

#include <cstddef>
#include <memory>
#include <string_view>

#include "common/MyFunc.h"

// Room for the tokens of one line; a line that yields more keeps the first
// 32 and drops the rest.
constexpr int kJwwMaxTokens = 32;

// The tokens of one line as the statements read them: a view of the tokens
// and, when a reader converted them beforehand (on another thread), of each
// token's value as TextToReal gives it.
struct TJwwLineTokens {
  const std::string_view* token;
  int count;            // the token count n
  const double* reals;  // nullptr: each is converted as asked

  // Token i, or the empty token when i is beyond the count.
  std::string_view operator[](int i) const {
    return i >= 0 && i < count ? token[i] : std::string_view();
  }

  // Token i read as a real; 0 when i is beyond the count.
  double Real(int i) const {
    if (reals == nullptr) return TextToReal((*this)[i]);
    return i >= 0 && i < count ? reals[i] : 0;
  }
};

// The tokens of the last line split. A token is a view either into that line
// (when its bytes lie together there, as they nearly always do) or into
// `bytes`, a buffer reused from line to line that only grows. So splitting
// allocates nothing once it has seen its longest unusual line, and the tokens
// are valid as long as the line and the list are.
struct TJwwTokenList {
  std::string_view token[kJwwMaxTokens];
  int count = 0;  // the token count n
  std::unique_ptr<char[]> bytes;
  size_t capacity = 0;

  // Token i, or the empty token when i is beyond the count.
  std::string_view operator[](int i) const {
    return i >= 0 && i < count ? token[i] : std::string_view();
  }

  TJwwLineTokens View() const { return {token, count, nullptr}; }
};

// Splits `line` (without its line end) into `tokens`: blanks and tabs
// separate tokens; a double quote (dropped) or "=" (kept) turns splitting
// off for the rest of the line; a two-byte character always stays whole, and
// a lead byte at the very end is dropped; control bytes, 0xFE and 0xFF are
// dropped. Blanks after the last token count one more, empty, token. Throws
// std::bad_alloc when an unusual line is longer than any before and cannot
// be held; the list is then left empty.
void JwwSplitLine(std::string_view line, TJwwTokenList& tokens);
