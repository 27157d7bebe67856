// A fingerprint of everything the reader leaves in the entity store, so that
// two reads of the same bytes can be compared field by field.
#pragma once

#include <cstdint>

// 64-bit hash over the header settings, the attribute state, the reader's
// carried state, the entity order and every field of every record (reals by
// their bits, texts by their bytes).
uint64_t StoreDigest();
