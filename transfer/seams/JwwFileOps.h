// The file operations of the transfer file and the settings file, behind a
// seam: the platform (or a test) may replace any of them. The defaults use
// the C library; the Windows program installs its own, which take UTF-8 paths
// to the wide-character API and flush to disk.
//
// Threads: every operation runs on the thread that called the reader or the
// saving, except `read` of the transfer file, which the reader's pieces may
// call on the helper thread too (JwwReadInPieces.h). The reads of one file
// never overlap: they come one after the other, in file order, each after
// the one before it has returned, though not always from the same thread. An
// implementation keeps no state per thread and may throw; the reader then
// ends incomplete. Replace the operations only while no file is open.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "transfer/seams/JwwFileState.h"

using TJwwFile = void*;

// What a path names, told without opening it: opening a FIFO waits for a
// writer, and a device may never end, so only a regular file is opened.
enum class TJwwPathKind {
  none,     // nothing there
  regular,  // a regular file
  other,    // anything else: a folder, a FIFO, a device, or a path the system
            // will not look at
};

// Thrown by `openRead` when another program holds the file so that it cannot
// be opened for reading (on Windows a sharing violation: the reader shares the
// file for reading only, so a program that has it open for writing keeps it
// from being opened). A caller that does not tell it apart takes it as any
// other failure of a file operation.
struct TJwwFileInUse {};

struct TJwwFileOps {
  bool (*exists)(const std::string& path);
  // nullptr on failure; throws TJwwFileInUse when another program holds it.
  TJwwFile (*openRead)(const std::string& path);
  // Bytes read (0 at the end), or -1 on a read error.
  long long (*read)(TJwwFile file, char* buffer, size_t size);
  TJwwFile (*openWrite)(const std::string& path);  // creates or truncates
  bool (*write)(TJwwFile file, const char* data, size_t size);
  bool (*flush)(TJwwFile file);  // everything written reaches the file
  bool (*close)(TJwwFile file);  // false when a write could not be completed
  // Replaces `to` by `from` in one step.
  bool (*replace)(const std::string& from, const std::string& to);
  bool (*remove)(const std::string& path);
  // What the system tells about the open file, through the file itself, so
  // that it is the file being read even if its name has moved on.
  TJwwFileState (*state)(TJwwFile file);
  // What the system tells about the file that `path` names now; `told` is
  // false when no file is there or nothing can be told.
  TJwwFileState (*pathState)(const std::string& path);
  // Creates a file that does not exist yet, for writing; nullptr when one
  // exists at `path` (or on any other failure), so no two runs share it.
  TJwwFile (*createNew)(const std::string& path);
  // What `path` names now, asked before the transfer file or the settings
  // file is opened or replaced, and before a failed save removes a file.
  TJwwPathKind (*pathKind)(const std::string& path);
};

extern TJwwFileOps jwwFileOps;

// The C library implementation, which jwwFileOps holds at start; its
// `state` and `pathState` tell what the system does (JwwSystemFileState.h).
TJwwFileOps JwwStandardFileOps();
