// The library of the host's transfer file JWC_TEMP.TXT, in layers that use
// only those below them, each behind one public header of its own:
//   seams/JwwSeams.h    the seams: file operations, progress, the piece
//                       runner, the block fault seam; they know no record
//   store/JwwStore.h    the entity store, its records and its table of kinds
//   read/JwwReader.h    the reader, on the store
//   write/JwwWriter.h   the writer, on the store beside the reader: the output
//                       lines, the output pass, the saving of the file
// The life cycle, which touches all of them, stands here above them.
//
// This is the library's one public header: the flip, the window and the other
// programs include it and no other header of transfer/. The one exception
// is an adapter that plugs into the file seam (platform/, the Windows
// program's file operations, the fuzz targets' files in memory): it includes
// seams/JwwSeams.h. Tests may include any header, to test a layer's inner
// parts.
#pragma once

#include "transfer/read/JwwReader.h"
#include "transfer/seams/JwwSeams.h"
#include "transfer/store/JwwStore.h"
#include "transfer/write/JwwWriter.h"

// Sets every default, empties the entity order, the fifteen kind arrays, the
// text arena and the output lines; the read result is back to "no file read".
void JwwInit();

// Frees the tables, the entity order, the kind arrays, the text arena and the
// output lines. Counts are left as they are; nothing may read the store after.
void JwwRelease();
