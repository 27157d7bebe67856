// The tool's run in its three phases, each written once: opening the transfer
// file as the window opens, the confirmed run behind OK, closing as the window
// closes. The window runs one phase per event handler; `/flip:N`,
// jwwpipeline, the fuzz target and the tests of whole runs run the phases,
// or FlipTransferFile, all three at once, never the steps inside them. Only
// the benchmark takes the closing phase apart, to time the save and the
// release each on its own.
//
// Whatever goes wrong inside a phase answers "hq" and never escapes: a run
// that fails part way leaves no output line, so that the saved file says "hq"
// and the host changes nothing; the confirmed run then says why, for the user
// to be told (RunMessages.h). A run that found no transfer file answers
// nothing at all: the host did not start it (a double click on the program,
// say), so no JWC_TEMP.TXT is made that a later run could take for the
// host's.
#pragma once

#include <cstdint>
#include <string>

#include "flip/BasePointFlip.h"
#include "transfer/JwwGaibu.h"

// Opening: empties the store (JwwInit), reads the transfer file at `path`
// into it (JwwReadFile; an empty path, a program that cannot tell its own
// folder, reads nothing) and resets the writer (ResetWriterState), so that
// the store is ready for RunConfirmedFlip. Returns true when the file was
// read to its end. Never throws: a failure part way marks the read
// jrIncomplete, so that a confirmed run after it answers "hq" (as it does
// after any read that did not end jrComplete or jrNoFile).
bool OpenTransferFile(const std::string& path);

// Whether the last OpenTransferFile found a transfer file at its path (one it
// could not read counts as found). False until a file is found, and after an
// opening with an empty path.
bool TransferFileFound();

// How a confirmed run ended. Only `answered` leaves "hd" and the whole
// selection in the output lines; every other end leaves none, so that the
// host is answered "hq".
enum class TRunOutcome {
  answered,      // every entity written after "hd" (or, with no transfer file
                 // found, written for nobody)
  escaped,       // the user pressed Escape during the output pass
  inUse,         // another program held the transfer file: nothing was read
                 // and nothing was run
  notOpened,     // the transfer file was not opened (not a regular file, or
                 // it could not be opened): nothing was read or run
  notReadToEnd,  // the transfer file was not read to its end; nothing was run
  outOfMemory,   // memory ran out during the flip or the output pass
  failed,        // anything else thrown inside (a failure on the second
                 // thread, an exception from `progress`), or, for a caller
                 // that tells it, outside
};

// How the last opening ended, as the outcome a confirmed run after it would
// have: `answered` for a file read to its end (or none found), otherwise why
// nothing will be run.
TRunOutcome OpeningOutcome();

// The confirmed run, on the store as opened: flips every text with
// `flipType`, adds "hd" and writes every entity, telling `progress` as it goes
// (Escape aborts the pass as WriteAllEntities describes). A transfer file that
// was not read to its end leaves no output line at all: a part of the
// selection given back with "hd" would make the host delete the rest.
// Whatever goes wrong inside, and Escape, clear the output lines too: the
// lines an aborted pass still adds (the closing layer lines) would reach the
// host without "hd", and only "hd" or "hq" is an answer.
// Returns how the run ended, for a caller that tells the user. Never throws.
TRunOutcome RunConfirmedFlip(int32_t flipType, TJwwProgress& progress);

// Whether the run answered "hq" for a reason the user did not choose (the
// file not read to its end, memory running out, a failure inside): the user
// pressed OK, so the user must be told that the drawing stays as it was.
// Escape is the user's own choice and is not.
bool EndedUnasked(TRunOutcome outcome);

// Closing: saves the answer over `path` (SaveOutputFile: the output lines, or
// "hq" when there are none) and frees the store (JwwRelease). With no
// transfer file found at opening nothing is written. Returns false when an
// answer was due and was not saved (it cannot be written, or `path` is
// empty): the host then finds the file as it wrote it, or none, and changes
// nothing, and the user must be told. Never throws.
bool CloseTransferFile(const std::string& path);

// A whole confirmed run without a window: OpenTransferFile, RunConfirmedFlip
// and CloseTransferFile, all on `path`, so the store is freed when it
// returns; jwwReadResult and TransferFileFound still tell how the read ended.
// A caller that looks at the store after the run calls the phases itself.
// Returns false when the answer was due and not saved, as CloseTransferFile.
// Never throws.
bool FlipTransferFile(const std::string& path, int32_t flipType, TJwwProgress& progress);
