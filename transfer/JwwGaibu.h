// The library of the host's transfer file JWC_TEMP.TXT: the entity store and
// its table of kinds, the reader, the output lines and attribute writers, the
// entity commands and writers, the output pass and the saving of the file.
// Callers include this one header.
#pragma once

#include "transfer/JwwAttributeWriters.h"
#include "transfer/JwwEntityCommands.h"
#include "transfer/JwwEntityKinds.h"
#include "transfer/JwwEntityWriters.h"
#include "transfer/JwwFileOps.h"
#include "transfer/JwwNumberForms.h"
#include "transfer/JwwOutputFile.h"
#include "transfer/JwwOutputLines.h"
#include "transfer/JwwOutputPass.h"
#include "transfer/JwwProgress.h"
#include "transfer/JwwReader.h"
#include "transfer/JwwStore.h"
