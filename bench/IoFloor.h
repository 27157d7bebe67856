// The I/O floor of the pipeline: the least any tool must do with the same
// file, namely read it, split it into lines and write the lines back with
// CR LF, through the project's file operations and the same protocol as the
// saved file (a temporary file that then replaces the target).
#pragma once

#include <cstdint>
#include <string>

struct TFloorRun {
  double seconds = 0;
  bool ok = false;      // every file operation succeeded
  int64_t lines = 0;    // lines copied
  int64_t written = 0;  // bytes written
};

// Copies the lines of `input` to `output`, each ended by CR LF (a CR before a
// LF is taken as part of the line end), in large blocks both ways.
TFloorRun CopyLinesThrough(const std::string& input, const std::string& output);
