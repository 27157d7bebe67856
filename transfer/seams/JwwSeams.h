// The seams: what the reader and the writer both use and that knows no
// record. This is the layer's one public header: the layers above it, and
// the platform's adapters that plug into the file seam (platform/, the
// Windows program's file operations), include this header and none of the
// others in this folder.
#pragma once

#include "transfer/seams/JwwBlockAllocSeam.h"   // the fault seam of large blocks
#include "transfer/seams/JwwFileOps.h"          // the file operations
#include "transfer/seams/JwwFileState.h"        // what the system tells of a file
#include "transfer/seams/JwwPieceRunner.h"      // work on two threads, in pieces
#include "transfer/seams/JwwProgress.h"         // what a run tells the window
#include "transfer/seams/JwwSystemFileState.h"  // the platform's part of the file seam
