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
  std::vector<std::string> notes;          // directives the substitute does not play, or
                                           // that the host would not take as written
};

// Works out the host's part from `batch`. `exeName` is the tool's file name;
// the arguments after "start /w TOOL" in the batch file's commands (alone or
// followed by arguments separated by blanks) are taken as the tool's. False,
// with `error` set, when the host would not run the batch file in a way that
// can be played: no #jww (the host would write its older format), no #cd
// (the file would not land beside the tool), no #e, #h4 (every entity
// written, none selected), or more than one range directive. Every directive
// that is understood but makes no difference here (#hp: the tool answers in
// the frame it was given) is taken silently; every other one, and a batch
// file without "start /w TOOL", becomes a note: the commands are left to the
// command processor, whose run shows whether the tool answers.
bool PlayFromBatch(const BatchFile& batch, const std::string& exeName, HostPlay& play,
                   std::string& error);

// The flip type that "/flip:N" or "-flip:N" (any letter case, N = 0..2) among
// `arguments` asks the tool for, or -1 when none does.
int FlipTypeOfArguments(const std::vector<std::string>& arguments);
