// Line ends of the transfer file. Most lines lie wholly inside one block and
// hold no stray CR; they are handed over in place, without a copy. Only a
// line that crosses a block edge or holds a lone CR is copied.
#include "transfer/read/JwwLineSplitter.h"

#include <cstring>

namespace {

constexpr char kEndOfFileMark = 0x1A;

// First `c` in [from, end), or end. An empty range may have no bytes at all.
const char* Find(const char* from, const char* end, char c) {
  if (from == end) return end;
  const void* at = std::memchr(from, c, static_cast<size_t>(end - from));
  return at ? static_cast<const char*>(at) : end;
}

// True when [from, end) holds nothing but end-of-file marks and CRs: what
// may follow a mark inside a line without being cut off by it (a CR that
// ends no line is left out of every line anyway).
bool OnlyMarksAndCrs(const char* from, const char* end) {
  for (; from < end; ++from) {
    if (*from != kEndOfFileMark && *from != '\r') return false;
  }
  return true;
}

void AppendWithoutCr(std::string& to, const char* from, const char* end) {
  while (from < end) {
    const char* cr = Find(from, end, '\r');
    to.append(from, cr);
    from = cr + 1;
  }
}

}  // namespace

bool JwwOnlyEndMarksAndLineEnds(std::string_view bytes) {
  for (char c : bytes) {
    if (c != kEndOfFileMark && c != '\r' && c != '\n') return false;
  }
  return true;
}

bool JwwFeedLines(TJwwLineSplitter& splitter, std::string_view block, TJwwLineHandler& onLine) {
  const char* p = block.data();
  const char* const end = p + block.size();
  if (splitter.ended) return JwwOnlyEndMarksAndLineEnds(block);
  // Next CR and next end-of-file mark at or after p, found again only once
  // p has passed them, so each byte is searched once.
  const char* nextCr = Find(p, end, '\r');
  const char* nextMark = Find(p, end, kEndOfFileMark);

  while (p < end) {
    if (splitter.skipping) {
      const char* lf = Find(p, end, '\n');
      if (!OnlyMarksAndCrs(p, lf)) return false;  // the mark cut data off its line
      if (lf == end) return true;
      p = lf + 1;
      splitter.skipping = false;
      splitter.lineStarted = false;
      continue;
    }
    if (nextMark < p) nextMark = Find(p, end, kEndOfFileMark);
    if (nextCr < p) nextCr = Find(p, end, '\r');
    if (!splitter.lineStarted && p == nextMark) {
      splitter.ended = true;
      return JwwOnlyEndMarksAndLineEnds({p, static_cast<size_t>(end - p)});
    }

    const char* lf = Find(p, end, '\n');
    const bool endedByMark = nextMark < lf;
    const char* lineEnd = endedByMark ? nextMark : lf;
    const bool complete = lineEnd < end;

    if (complete && splitter.partial.empty() && nextCr >= lineEnd) {
      onLine.Line({p, static_cast<size_t>(lineEnd - p)});
    } else if (complete && splitter.partial.empty() && !endedByMark && nextCr == lineEnd - 1) {
      onLine.Line({p, static_cast<size_t>(lineEnd - 1 - p)});  // CR LF
    } else {
      AppendWithoutCr(splitter.partial, p, lineEnd);
      if (!complete) {
        splitter.lineStarted = true;
        return true;
      }
      onLine.Line(splitter.partial);
      splitter.partial.clear();
    }

    p = lineEnd + 1;
    splitter.lineStarted = false;
    splitter.skipping = endedByMark;
  }
  return true;
}

void JwwFinishLines(TJwwLineSplitter& splitter, TJwwLineHandler& onLine) {
  if (splitter.lineStarted && !splitter.skipping) onLine.Line(splitter.partial);
  splitter.partial.clear();
  splitter.lineStarted = false;
}
