// The library of the host's transfer file JWC_TEMP.TXT, in layers that use
// only those below them: the seams (file operations, progress, the piece
// runner, the block fault seam); the entity store and its table of kinds; on
// the store, the reader, and beside it the writer (the output lines and
// attribute writers, the entity commands and writers, the output pass and the
// saving of the file). The life cycle, which touches all of them, stands
// here above them. Callers include this one header.
#pragma once

#include "transfer/read/JwwReader.h"
#include "transfer/seams/JwwBlockAllocSeam.h"
#include "transfer/seams/JwwFileOps.h"
#include "transfer/seams/JwwProgress.h"
#include "transfer/store/JwwEntityKinds.h"
#include "transfer/store/JwwStore.h"
#include "transfer/write/JwwAttributeWriters.h"
#include "transfer/write/JwwEntityCommands.h"
#include "transfer/write/JwwEntityWriters.h"
#include "transfer/write/JwwNumberForms.h"
#include "transfer/write/JwwOutputFile.h"
#include "transfer/write/JwwOutputLines.h"
#include "transfer/write/JwwOutputPass.h"

// Sets every default, empties the entity order, the fifteen kind arrays, the
// text arena and the output lines; the read result is back to "no file read".
void JwwInit();

// Frees the tables, the entity order, the kind arrays, the text arena and the
// output lines. Counts are left as they are; nothing may read the store after.
void JwwRelease();
