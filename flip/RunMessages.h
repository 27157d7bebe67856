// The messages that tell the user why a run gave the host no answer, in
// UTF-8, one text a message box: the answer could not be saved, or there was
// no transfer file to answer. Each names the folder it concerns and says
// what to do.
#pragma once

#include <string>

// JWC_TEMP.TXT in `folder` (the program's own, with its trailing separator)
// could not be written: the likely causes, each with what to do, and that the
// drawing has not been changed (the host finds its own file, or none, and
// changes nothing).
std::string SaveFailedMessage(const std::string& folder);

// There is no JWC_TEMP.TXT in `folder` (or the program cannot tell its own
// folder, `folder` then empty): the tool was started outside the host, and
// is started from Jw_cad's external transformation.
std::string NoTransferFileMessage(const std::string& folder);
