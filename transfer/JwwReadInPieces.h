// The transfer-file loop on two threads: the file is cut at line ends into
// pieces; splitting their lines into tokens and reading the numbers is done
// on whichever thread is free, and the statements are applied to the store in
// file order on the calling thread, since each line carries state to the
// next. Internal to the reader.
#pragma once

#include <cstdint>

#include "transfer/JwwFileOps.h"

// Reads the open `file` to its end and applies every line to the store, as
// the line-by-line loop does; `bytesRead` gains the bytes read. False when a
// read fails or statements follow the end-of-file mark; what was applied
// before stays. Throws std::bad_alloc when memory runs out, on either thread.
bool JwwReadLinesInPieces(TJwwFile file, uint64_t& bytesRead);
