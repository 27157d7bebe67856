// The output pass over the whole store.
#pragma once

#include "transfer/seams/JwwSeams.h"

// Writes "bz" when the input held it, then every entity in input order, then
// the closing layer group and layer lines. Before entities 1, 101, 201, ... it
// tells `progress` and polls Escape; Escape down clears the output lines and
// ends the loop (the closing lines are still written). Throws std::bad_alloc
// when memory runs out; the output lines then hold part of the pass.
void WriteAllEntities(TJwwProgress& progress);
