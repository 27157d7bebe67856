// A folder held in memory behind the file seam, so that the fuzz targets run
// the reader and the saving of the output file at memory speed and can see
// every file left behind.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <string_view>

// Points jwwFileOps at the memory folder. Idempotent.
void InstallMemoryFolder();

// The files of the memory folder, by path; tests read and change them freely.
std::map<std::string, std::string>& MemoryFiles();

// Largest number of bytes one read hands out (0: as many as asked). A small
// value makes the reader see its input in pieces that split lines anywhere.
void SetMemoryReadChunk(size_t bytes);
