#include "BatchFile.h"

namespace {

// The host looks for "#" only within a line's first 10 bytes.
constexpr size_t kDirectiveColumns = 10;

bool IsRemLine(std::string_view line) {
  if (line.size() < 3) return false;
  for (size_t i = 0; i < 3; ++i) {
    if ((line[i] | 0x20) != "rem"[i]) return false;
  }
  return line.size() == 3 || line[3] == ' ' || line[3] == '\t';
}

std::string_view TrimBlanks(std::string_view s) {
  while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
  while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
  return s;
}

// The directive after the "#" at `hash`: its name runs to the first blank,
// except that "hc" takes everything after it as its prompt.
BatchDirective ReadDirective(std::string_view line, size_t hash, int lineNumber) {
  std::string_view rest = line.substr(hash + 1);
  size_t nameEnd = rest.substr(0, 2) == "hc" ? 2 : rest.find_first_of(" \t");
  if (nameEnd == std::string_view::npos) nameEnd = rest.size();
  return {std::string(rest.substr(0, nameEnd)), std::string(TrimBlanks(rest.substr(nameEnd))),
          lineNumber};
}

}  // namespace

BatchFile ParseBatchFile(std::string_view bytes) {
  BatchFile batch;
  int number = 0;
  for (size_t start = 0; start < bytes.size();) {
    size_t end = bytes.find('\n', start);
    if (end == std::string_view::npos) end = bytes.size();
    std::string_view line = bytes.substr(start, end - start);
    start = end + 1;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (++number == 1) {
      batch.description = IsRemLine(line) ? TrimBlanks(line.substr(3)) : line;
      continue;
    }
    if (!IsRemLine(line)) {
      if (!TrimBlanks(line).empty()) batch.commands.emplace_back(TrimBlanks(line));
      continue;
    }
    const size_t hash = line.substr(0, kDirectiveColumns).find('#');
    if (batch.ended || hash == std::string_view::npos) continue;
    batch.directives.push_back(ReadDirective(line, hash, number));
    if (batch.directives.back().name == "e") batch.ended = true;
  }
  return batch;
}
