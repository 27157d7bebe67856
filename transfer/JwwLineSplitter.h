// Cutting the transfer file, read in large blocks, into lines.
#pragma once

#include <string>
#include <string_view>

// What the splitter carries from one block to the next.
struct TJwwLineSplitter {
  std::string partial;       // a line that runs on into the next block, CRs left out
  bool lineStarted = false;  // a byte of the current physical line has been seen
  bool skipping = false;     // an end-of-file mark ended the line: skip to its LF
};

using TJwwLineHandler = void (*)(std::string_view line);

// Hands every line that `block` completes to `onLine`, without its line end.
// A line ends at LF (a CR before it, or anywhere else, is left out of the
// line). A byte 0x1A at the start of a line ends the file: the answer is then
// false and the rest is not looked at. A 0x1A inside a line ends that line,
// and the rest of that physical line is skipped. Exceptions from `onLine`
// pass through.
bool JwwFeedLines(TJwwLineSplitter& splitter, std::string_view block, TJwwLineHandler onLine);

// At the end of the file: hands over the last line when it had no line end.
void JwwFinishLines(TJwwLineSplitter& splitter, TJwwLineHandler onLine);
