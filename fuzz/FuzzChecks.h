// The invariants that the fuzz targets hold the core to. A broken invariant
// prints what broke and aborts, which the fuzzer records as a finding.
#pragma once

#include <cstddef>
#include <string_view>

// Aborts with `what` unless `holds`.
void Require(bool holds, const char* what);

// The store is sound: every entry of the entity order names an existing
// record, every record has exactly one entry, every text field is at most
// 255 bytes and ends on a character boundary, every block names a stored
// block name.
void RequireSoundStore();

// True for a text command line: one of the ten text keywords, a blank, and a
// last byte that is a double quote after a blank.
bool IsTextCommandLine(std::string_view line);

// Text commands among the output lines (a command's own text line is never
// counted, whatever it holds).
int CountTextCommands();

// The saved file is "hq" or begins with "hd", every line ends in CR LF with no
// other CR or LF, and every line is at most 255 bytes, except a text command
// joined with its text, of which each half is. Returns the number of joined
// text lines.
int RequireSoundSavedFile(std::string_view bytes);

// The ways a target runs the core. The calling thread alone:
void RunOnOneThread();

// Two threads, for `input`: with the helper forced on at any size, reading
// pieces of an eighth of the input plus 1 to 13 bytes and writing pieces of
// an eighth of its lines plus 1 to 7 entities, so that even the smallest
// input is cut at odd places (inside Shift-JIS pairs, CR LF pairs and
// end-of-file marks) and prepared on both threads, in few enough pieces that
// handing them over does not slow the fuzzer, when HelperForcedFor(input);
// otherwise as the tool runs (the helper starts only on large work).
// EndTwoThreadWay, after the run, counts whether the helper prepared pieces
// and goes back to the way the tool runs; the program prints the counts when
// it ends.
void RunTwoThreadWay(std::string_view input);
void EndTwoThreadWay();

// Whether the helper is forced on for `input`: for about half of the inputs,
// chosen by a hash of their bytes, so that an input always runs the same way
// and a finding replays. A forced run hands pieces between the threads, which
// can cost the fuzzer more than the run itself: half keeps it fast and still
// sends every kind of input through the helper.
bool HelperForcedFor(std::string_view input);
