// The invariants that the fuzz targets hold the core to. A broken invariant
// prints what broke and aborts, which the fuzzer records as a finding.
#pragma once

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
