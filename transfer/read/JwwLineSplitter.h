// Cutting the transfer file, read in large blocks, into lines.
#pragma once

#include <string>
#include <string_view>

// What the splitter carries from one block to the next.
struct TJwwLineSplitter {
  std::string partial;       // a line that runs on into the next block, CRs left out
  bool lineStarted = false;  // a byte of the current physical line has been seen
  bool skipping = false;     // an end-of-file mark ended the line: check the rest up to its LF
  bool ended = false;        // an end-of-file mark began a line: no statement follows
};

// Takes the lines that the splitter cuts, one by one.
class TJwwLineHandler {
 public:
  virtual void Line(std::string_view line) = 0;

 protected:
  ~TJwwLineHandler() = default;
};

// Hands every line that `block` completes to `onLine`, without its line end.
// A line ends at LF (a CR before it, or anywhere else, is left out of the
// line). A 0x1A inside a line ends that line where it stands, and the line
// goes on to `onLine`, but only a mark right before the line's end cuts
// nothing off: nothing but further 0x1A bytes and CRs may follow it up to the
// LF (or the end of the file). A 0x1A at the start of a line ends the file,
// but only as an old-style end-of-file mark: nothing but further 0x1A bytes,
// CRs and LFs may follow it. Any other byte after a mark means that the file
// holds data the reader would never see (the host never writes the mark: the
// file was changed by something else); the answer is then false (the file
// cannot be read to its end) and the rest is not looked at. True otherwise:
// feed the next block. Exceptions from `onLine` pass through.
bool JwwFeedLines(TJwwLineSplitter& splitter, std::string_view block, TJwwLineHandler& onLine);

// At the end of the file: hands over the last line when it had no line end.
void JwwFinishLines(TJwwLineSplitter& splitter, TJwwLineHandler& onLine);

// True when `bytes` hold nothing but end-of-file marks, CRs and LFs: all that
// may follow the mark that ends the file.
bool JwwOnlyEndMarksAndLineEnds(std::string_view bytes);
