// Soundness of the entity store after any read, complete or not.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>

#include "transfer/store/JwwStore.h"

// Every entry of the entity order names an existing record and every record
// has its entry, so that anything walking the store stays inside it.
inline void ExpectSoundStore() {
  int64_t records = 0;
  for (int32_t kind = jekLine; kind <= kJwwKindCount; ++kind) records += JwwKindCount(kind);
  EXPECT_EQ(records, entityOrder.Count());
  for (int32_t i = 0; i < entityOrder.Count(); ++i) {
    const TJwwEntRef ref = entityOrder[i];
    ASSERT_GE(ref.kind, jekLine) << "entry " << i;
    ASSERT_LE(ref.kind, kJwwKindCount) << "entry " << i;
    ASSERT_GE(ref.index, 0) << "entry " << i;
    ASSERT_LT(ref.index, JwwKindCount(ref.kind)) << "entry " << i;
  }
}
