// The messages that tell the user why a run gave the host no answer, or
// answered "hq" although the user pressed OK, in UTF-8, one text a message
// box: the answer could not be saved, there was no transfer file to answer,
// the transfer file was not read to its end, the run itself failed. Each says
// what to do, and names the folder where a file in it is concerned.
#pragma once

#include <string>

#include "flip/ConfirmedRun.h"

// JWC_TEMP.TXT in `folder` (the program's own, with its trailing separator)
// could not be written: the likely causes, each with what to do, and that the
// drawing has not been changed (the host finds its own file, or none, and
// changes nothing).
std::string SaveFailedMessage(const std::string& folder);

// There is no JWC_TEMP.TXT in `folder` (or the program cannot tell its own
// folder, `folder` then empty): the tool was started outside the host, and
// is started from Jw_cad's external transformation.
std::string NoTransferFileMessage(const std::string& folder);

// Why a confirmed run that ended as `outcome` answered "hq" unasked
// (EndedUnasked): JWC_TEMP.TXT in `folder` held by another program, not
// opened, not read to its end, memory running out, or a failure; that the
// drawing has not been changed, the causes the program can tell apart that
// remain, and what to do. Empty for a run that ended as the user chose
// (answered, or Escape).
std::string UnaskedHqMessage(TRunOutcome outcome, const std::string& folder);
