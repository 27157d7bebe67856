// Puts the C library's file operations back when a test that replaced them
// ends, however it ends.
#pragma once

#include "transfer/seams/JwwFileOps.h"

struct TRestoreFileOps {
  ~TRestoreFileOps() { jwwFileOps = JwwStandardFileOps(); }
};
