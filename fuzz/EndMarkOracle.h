// Whether a transfer file can be read to its end, worked out with a plain scan
// of its bytes, apart from the reader's own line splitting, so that the fuzz
// targets and the robustness tests check the reader against an independent
// answer.
#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

// True when `file` holds an end-of-file mark (0x1A) at the start of a line
// followed by any byte other than 0x1A, CR or LF: statements that the reader
// never reaches, so the file cannot be read to its end.
inline bool HasStatementsAfterEndMark(std::string_view file) {
  size_t mark = 0;
  while (mark < file.size() && !(file[mark] == 0x1A && (mark == 0 || file[mark - 1] == '\n'))) {
    ++mark;
  }
  return file.find_first_not_of("\x1A\r\n", mark) != std::string_view::npos;
}

// True when a line before the file's end-of-file mark holds a mark with any
// byte other than 0x1A or CR after it on the line (up to its LF or the end of
// the file): data that the mark would cut off.
inline bool HasDataCutByMark(std::string_view file) {
  for (size_t start = 0; start < file.size() && file[start] != 0x1A;) {
    const size_t end = std::min(file.find('\n', start), file.size());
    const std::string_view line = file.substr(start, end - start);
    const size_t mark = line.find('\x1A');
    if (mark != std::string_view::npos &&
        line.find_first_not_of("\x1A\r", mark) != std::string_view::npos) {
      return true;
    }
    start = end + 1;
  }
  return false;
}

// True when the reader must take `file` as not read to its end: it has no
// byte at all (the host writes header lines first, so an empty file was cut
// short), a mark inside a line cuts data off, or statements follow its
// end-of-file mark.
inline bool ReadsAsCutShort(std::string_view file) {
  return file.empty() || HasDataCutByMark(file) || HasStatementsAfterEndMark(file);
}
