// The host's part as a batch file's directives set it: which entities it
// hands over, which attribute lines it writes, the prompt it shows while the
// user picks the range, and whether it runs the tool and waits for it.
#pragma once

#include <string>
#include <vector>

#include "BatchFile.h"
#include "HandOver.h"

struct HostPlay {
  HandOverRules rules;
  std::string prompt;                      // #hc, Shift-JIS; empty when the host shows none
  std::vector<std::string> toolArguments;  // after "start /w TOOL": e.g. "/flip:1"
  std::vector<std::string> notes;          // directives and commands the substitute does not play,
                                           // or that the host would not take as written
};

// Works out the host's part from `batch`. `exeName` is the tool's file name,
// which the batch file must start with "start /w", alone or followed by
// arguments separated by blanks. False, with `error` set,
// when the host would not run the tool in a way that can be played: no #jww
// (the host would write its older format), no #cd (the file would not land
// beside the tool), no #e, #h4 (every entity written, none selected), more
// than one range directive, or no "start /w" of the tool. Every directive
// that is understood but makes no difference here (#hp: the tool answers in
// the frame it was given) is taken silently; every other one becomes a note.
bool PlayFromBatch(const BatchFile& batch, const std::string& exeName, HostPlay& play,
                   std::string& error);

// The flip type that "/flip:N" or "-flip:N" (any letter case, N = 0..2) among
// `arguments` asks the tool for, or -1 when none does.
int FlipTypeOfArguments(const std::vector<std::string>& arguments);
