// The settings file beside the executable: window left, window top and flip
// type as three decimal lines with CR LF ends.
#pragma once

#include <cstdint>
#include <string>

struct TSettings {
  int32_t winLeft = 0;
  int32_t winTop = 0;
  int32_t flipType = 0;
};

// The values of the file at `path`. No file, anything but a regular file
// (never opened: a FIFO would wait for ever), a file that cannot be opened, a
// read error or a failure of any kind gives 0 for every value not read
// before it; a line that is not a whole integer, a missing line and an
// absurdly long line give 0. The file is closed on every path. Never throws.
TSettings ReadSettingsFile(const std::string& path);

// Creates or empties the file at `path` and writes the three values. On any
// failure a regular file left at the path is deleted (anything else there is
// neither opened nor removed); nothing is reported. The file is closed on
// every path. Never throws.
void WriteSettingsFile(const std::string& path, const TSettings& settings);
