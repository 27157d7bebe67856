// The writer: the store back into host commands, as the output lines, and
// the lines saved as the new transfer file. This is the layer's one public
// header; it gives what the layers above use. The rest of this folder (the
// number forms, the command line, the entity commands and their writers, the
// tests of writability) is the writer's own.
#pragma once

#include "transfer/write/JwwAttributeWriters.h"  // ResetWriterState and the attribute lines
#include "transfer/write/JwwOutputFile.h"        // SaveOutputFile
#include "transfer/write/JwwOutputLines.h"       // the output lines
#include "transfer/write/JwwOutputPass.h"        // WriteAllEntities
