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

// The values of the file at `path`. No file, a file that cannot be opened or
// a read error gives 0 for every value not read before the failure; a line
// that is not a whole integer, a missing line and an absurdly long line give 0.
TSettings ReadSettingsFile(const std::string& path);

// Creates or empties the file at `path` and writes the three values. On any
// failure a file left at the path is deleted; nothing is reported.
void WriteSettingsFile(const std::string& path, const TSettings& settings);
