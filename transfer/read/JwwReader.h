// The reader of the host's transfer file. This is the layer's one public
// header; the rest of this folder (the line splitter, the tokenizer, the
// statements' attribute and entity halves, the reading in pieces) is the
// reader's own.
#pragma once

#include <string>
#include <string_view>

#include "transfer/read/JwwTokenizer.h"

enum TJwwReadResult {
  jrComplete,    // the file was read to its end
  jrNoFile,      // no file at the path; the store is as initialised
  jrInUse,       // another program holds the file (TJwwFileInUse): nothing
                 // was read
  jrNotOpened,   // something is at the path but was not opened: not a
                 // regular file (a folder, a FIFO, a device, refused before
                 // any open, which could wait for ever), or a file that could
                 // not be opened; nothing was read
  jrIncomplete,  // the file was opened but not read to its end (read error,
                 // memory ran out, data cut off by an end-of-file mark inside
                 // a line, statements after the end-of-file mark, no byte at
                 // all, the file changed while it was read: other bytes than
                 // its size at open, other stamps, another file at its path);
                 // what was read stays stored
};

// How the last JwwReadFile ended.
extern TJwwReadResult jwwReadResult;

// Reads the file at `path` line by line into the store; anything but a
// regular file is refused without being opened. True when the file was read
// to its end; false otherwise, with jwwReadResult telling why. Never throws.
bool JwwReadFile(const std::string& path);

// Splits one line (without its line end) into tokens and applies it to the
// store. Throws std::bad_alloc when memory runs out.
void JwwParseLine(std::string_view line);

// Applies one line, already split into `tokens`, to the store. Throws
// std::bad_alloc when memory runs out.
void JwwApplyTokens(const TJwwLineTokens& tokens);
