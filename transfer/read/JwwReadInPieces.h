// The transfer-file loop on two threads: the file is cut at line ends into
// pieces; reading a piece's bytes (in a read turn that keeps the file's
// order), splitting its lines into tokens and reading the numbers is done on
// whichever thread is free, and the statements are applied to the store in
// file order on the calling thread, since each line carries state to the
// next. Internal to the reader.
#pragma once

#include <cstdint>

#include "transfer/read/JwwTokenizer.h"
#include "transfer/seams/JwwSeams.h"

// Reads the open `file` to its end and hands every line that holds a token,
// split into tokens, to `apply`, in file order and on the calling thread, as
// the line-by-line loop does; `bytesRead` gains the bytes read.
// jwwFileOps.read may be called on the helper thread, one call at a time.
// False when a read fails, a mark inside a line cuts data off or statements
// follow the end-of-file mark (as JwwFeedLines tells); what was
// applied before stays, in whole lines. Throws std::bad_alloc when memory runs
// out, on either thread, and passes on whatever a read or `apply` throws; the
// helper has left the work by then.
bool JwwReadLinesInPieces(TJwwFile file, uint64_t& bytesRead,
                          void (*apply)(const TJwwLineTokens& tokens));
