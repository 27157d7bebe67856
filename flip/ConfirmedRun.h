// The run behind the window's OK, in one place: the window, the command line,
// the benchmark, the fuzz targets and the tests all run this and nothing else.
#pragma once

#include <cstdint>
#include <string>

#include "flip/BasePointFlip.h"
#include "transfer/JwwProgress.h"

// On the store as read and with the writer reset: flips every text with
// `flipType`, adds "hd" and writes every entity, telling `progress` as it goes
// (Escape aborts the pass as WriteAllEntities describes). A transfer file that
// was not read to its end leaves no output line at all, so that the saved
// file says "hq": a part of the selection given back with "hd" would make the
// host delete the rest. Memory running out part way clears the output lines
// for the same reason. Never throws.
void RunConfirmedFlip(int32_t flipType, TJwwProgress& progress);

// A whole confirmed run without a window: empties the store, reads the
// transfer file at `path`, resets the writer, runs RunConfirmedFlip and saves
// the answer over `path`. The store is left as the run made it; the caller
// releases it. Returns SaveOutputFile's answer.
bool FlipTransferFile(const std::string& path, int32_t flipType, TJwwProgress& progress);
