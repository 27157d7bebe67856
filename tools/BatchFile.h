// The batch file that the host's external-transformation menu runs, read as
// the host reads it: the first line is the description its file dialog shows,
// a "REM" line with "#" within its first 10 bytes is a directive, the
// directives end at "#e", and the other lines are commands for the command
// processor. Bytes are Shift-JIS and stay so.
#pragma once

#include <string>
#include <string_view>
#include <vector>

struct BatchDirective {
  std::string name;      // after "#": "jww", "h3", "hc", "ht3", ...
  std::string argument;  // the rest of the line; for "hc" the prompt
  int line = 0;          // 1-based
};

struct BatchFile {
  std::string description;                 // line 1 without its "REM "
  std::vector<BatchDirective> directives;  // in order, up to and with "#e"
  bool ended = false;                      // "#e" seen
  std::vector<std::string> commands;       // non-REM, non-empty lines
};

// Reads `bytes` (lines end at LF, a CR before it is dropped). "REM" is
// matched without regard to case. A "#" after the 10th byte makes no
// directive, and no line after "#e" does. Never fails.
BatchFile ParseBatchFile(std::string_view bytes);
