// The library of the host's transfer file JWC_TEMP.TXT: the entity store and
// its table of kinds, the reader, the output lines and attribute writers, the
// entity commands and writers, the output pass and the saving of the file.
// Callers include this one header.
#pragma once

#include "transfer/write/JwwAttributeWriters.h"
#include "transfer/write/JwwEntityCommands.h"
#include "transfer/store/JwwEntityKinds.h"
#include "transfer/write/JwwEntityWriters.h"
#include "transfer/seams/JwwFileOps.h"
#include "transfer/write/JwwNumberForms.h"
#include "transfer/write/JwwOutputFile.h"
#include "transfer/write/JwwOutputLines.h"
#include "transfer/write/JwwOutputPass.h"
#include "transfer/seams/JwwProgress.h"
#include "transfer/read/JwwReader.h"
#include "transfer/store/JwwStore.h"
