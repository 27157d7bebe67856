// The tokenizer. Almost every line splits in place: each token is a run of
// the line itself. Only a line that drops a byte inside a token (a control
// byte, 0xFE, 0xFF, or a double quote in the middle of a word) needs its
// tokens copied together, which the second, general pass does.
#include "transfer/read/JwwTokenizer.h"

#include <array>
#include <bit>
#include <cstdint>
#include <cstring>

#include "common/MyFunc.h"

namespace {

// How a byte is treated while splitting is on.
enum TByteClass : uint8_t { bcKeep, bcDrop, bcLead, bcSeparator, bcQuote, bcEquals };

constexpr std::array<TByteClass, 256> MakeByteClasses() {
  std::array<TByteClass, 256> classes{};
  for (int b = 0; b < 256; ++b) {
    if (IsLeadByte(static_cast<unsigned char>(b))) {
      classes[b] = bcLead;
    } else if (b == ' ' || b == '\t') {
      classes[b] = bcSeparator;
    } else if (b == '"') {
      classes[b] = bcQuote;
    } else if (b == '=') {
      classes[b] = bcEquals;
    } else if (b < 0x20 || b > 0xFD) {
      classes[b] = bcDrop;
    } else {
      classes[b] = bcKeep;
    }
  }
  return classes;
}
constexpr std::array<TByteClass, 256> kByteClasses = MakeByteClasses();

// Once splitting is off every byte is kept but the control bytes (tab
// included), 0xFE and 0xFF.
constexpr bool KeptWhenNotSplitting(unsigned char b) {
  return b >= 0x20 && b <= 0xFD;
}

// End of the rest of the line from `i` on once splitting is off, or npos
// when a byte of it would be dropped. A lone lead byte at the very end is
// dropped without harm: it only shortens the token.
size_t EndOfUnsplitRest(const unsigned char* in, size_t size, size_t i) {
  while (i < size) {
    if (IsLeadByte(in[i])) {
      if (i + 1 == size) return i;
      i += 2;
    } else if (KeptWhenNotSplitting(in[i])) {
      ++i;
    } else {
      return std::string_view::npos;
    }
  }
  return size;
}

// A mask with the high bit set in every byte of `word` that is not plain
// (plain: 0x21..0x7F but the double quote and "="; such a byte is kept
// whatever the splitting state). Bits above the lowest set one may be wrong
// (borrows), but the lowest set bit always marks the first byte that is not
// plain.
constexpr uint64_t NonPlainBytes(uint64_t word) {
  constexpr uint64_t kOnes = 0x0101010101010101;
  constexpr uint64_t kHighs = 0x8080808080808080;
  auto zeroBytes = [](uint64_t w) { return (w - kOnes) & ~w & kHighs; };
  const uint64_t below21 = (word - kOnes * 0x21) & ~word & kHighs;
  return (word & kHighs) | below21 | zeroBytes(word ^ (kOnes * '"')) |
         zeroBytes(word ^ (kOnes * '='));
}

// The first position from `i` on whose byte is not plain, found eight bytes
// at a time; the last few bytes of the line are left to the caller's
// byte-by-byte scan. Numbers, the bulk of every line, are plain bytes.
size_t SkipPlainBytes(const unsigned char* in, size_t size, size_t i) {
  if constexpr (std::endian::native == std::endian::little) {
    while (size - i >= 8) {
      uint64_t word;
      std::memcpy(&word, in + i, 8);
      const uint64_t stops = NonPlainBytes(word);
      if (stops != 0) return i + static_cast<size_t>(std::countr_zero(stops) / 8);
      i += 8;
    }
  }
  return i;
}

// Tries to split `line` with every token a run of the line. False, with the
// list in no defined state, when a byte inside a token would be dropped.
bool SplitInPlace(std::string_view line, TJwwTokenList& tokens) {
  const auto* in = reinterpret_cast<const unsigned char*>(line.data());
  const size_t size = line.size();
  size_t i = 0;
  for (int current = 0;; ++current) {
    tokens.count = current + 1;
    // Between tokens: blanks, tabs and dropped bytes.
    while (i < size && (kByteClasses[in[i]] == bcSeparator || kByteClasses[in[i]] == bcDrop)) ++i;
    if (i < size && kByteClasses[in[i]] == bcQuote) {
      // The quote is dropped and the rest of the line is the token.
      size_t end = EndOfUnsplitRest(in, size, i + 1);
      if (end == std::string_view::npos) return false;
      tokens.token[current] = line.substr(i + 1, end - (i + 1));
      return true;
    }
    // The word: kept bytes and two-byte characters.
    const size_t begin = i;
    for (;;) {
      i = SkipPlainBytes(in, size, i);
      while (i < size && kByteClasses[in[i]] == bcKeep) ++i;
      if (i + 1 < size && kByteClasses[in[i]] == bcLead) {
        i += 2;
      } else {
        break;
      }
    }
    tokens.token[current] = line.substr(begin, i - begin);
    if (i == size) return true;
    switch (kByteClasses[in[i]]) {
      case bcLead:  // the last byte of the line, without its trail byte: dropped
        return true;
      case bcSeparator:
        ++i;
        if (current + 1 == kJwwMaxTokens) return true;  // a 33rd token and all after it are dropped
        break;
      case bcEquals: {
        // The "=" is kept and the rest of the line joins the word.
        size_t end = EndOfUnsplitRest(in, size, i + 1);
        if (end == std::string_view::npos) return false;
        tokens.token[current] = line.substr(begin, end - begin);
        return true;
      }
      default:  // a quote or a dropped byte inside the word
        return false;
    }
  }
}

void Reserve(TJwwTokenList& tokens, size_t size) {
  if (tokens.capacity >= size) return;
  tokens.count = 0;
  tokens.bytes.reset();
  tokens.capacity = 0;
  size_t grown = size < 4096 ? 4096 : size + size / 2;
  tokens.bytes.reset(new char[grown]);
  tokens.capacity = grown;
}

// Splits `line` by copying the kept bytes of each token together into the
// list's buffer.
void SplitCopying(std::string_view line, TJwwTokenList& tokens) {
  Reserve(tokens, line.size());
  char* const out = tokens.bytes.get();
  const auto* in = reinterpret_cast<const unsigned char*>(line.data());
  const size_t size = line.size();
  size_t written = 0;
  size_t begin = 0;  // where the current token starts in the buffer
  int current = 0;
  size_t i = 0;

  bool splitting = true;
  while (splitting && i < size) {
    unsigned char b = in[i];
    switch (kByteClasses[b]) {
      case bcKeep:
        out[written++] = static_cast<char>(b);
        ++i;
        break;
      case bcLead:
        if (i + 1 == size) {
          i = size;
          break;
        }
        out[written++] = static_cast<char>(b);
        out[written++] = static_cast<char>(in[i + 1]);
        i += 2;
        break;
      case bcSeparator:
        ++i;
        if (written == begin) break;
        tokens.token[current] = {out + begin, written - begin};
        if (current + 1 == kJwwMaxTokens) {
          tokens.count = kJwwMaxTokens;
          return;
        }
        ++current;
        begin = written;
        break;
      case bcDrop:
        ++i;
        break;
      case bcQuote:
        ++i;
        splitting = false;
        break;
      case bcEquals:
        out[written++] = '=';
        ++i;
        splitting = false;
        break;
    }
  }
  while (i < size) {
    unsigned char b = in[i];
    if (IsLeadByte(b)) {
      if (i + 1 == size) break;
      out[written++] = static_cast<char>(b);
      out[written++] = static_cast<char>(in[i + 1]);
      i += 2;
    } else {
      if (KeptWhenNotSplitting(b)) out[written++] = static_cast<char>(b);
      ++i;
    }
  }
  tokens.token[current] = {out + begin, written - begin};
  tokens.count = current + 1;
}

}  // namespace

void JwwSplitLine(std::string_view line, TJwwTokenList& tokens) {
  if (!SplitInPlace(line, tokens)) SplitCopying(line, tokens);
}
