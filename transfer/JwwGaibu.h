// The library of the host's transfer file JWC_TEMP.TXT: the entity store, the
// reader, the output lines and attribute writers, the entity commands and the
// output pass.
#pragma once

#include "transfer/JwwAttributeWriters.h"
#include "transfer/JwwEntityCommands.h"
#include "transfer/JwwFileOps.h"
#include "transfer/JwwNumberForms.h"
#include "transfer/JwwOutputLines.h"
#include "transfer/JwwOutputPass.h"
#include "transfer/JwwReader.h"
#include "transfer/JwwStore.h"
