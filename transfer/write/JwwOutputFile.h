// Saving the output lines as the new transfer file.
#pragma once

#include <string>

// Replaces the file at `path` by the output lines (CR LF line ends, a text
// command joined with its text), or by the single line "hq" when there are
// none. The content goes to a temporary file in the same folder, under a
// name that this save alone created ("JWC_TEMP.TXT.new" and 16 hex digits),
// that then replaces `path` in one step, so `path` is never left half written
// and two runs at once cannot mix their answers. Anything but a regular file
// at `path` (a folder, a FIFO, a device) is left as it is and the result is
// false. On any other failure the temporary file is removed, the regular file
// at `path` is deleted and the result is false; a file operation that throws
// is such a failure. Never throws.
bool SaveOutputFile(const std::string& path);
