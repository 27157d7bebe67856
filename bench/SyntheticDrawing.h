// A seeded generator of synthetic transfer files whose mix of statements
// resembles a real drawing selection: mostly plain lines (some in polyline
// runs), circles and arcs, texts (half Japanese, a quarter rotated, typed and
// free-size), points and solids, with attribute lines that change every few
// entities and z lines now and then. Shift-JIS bytes, CR LF line ends.
#pragma once

#include <cstdint>
#include <string>

// What a generated file holds, for the checks that follow a run.
struct TSyntheticCounts {
  int32_t entities = 0;  // entity statements, one entity-order entry each
  int32_t texts = 0;     // text statements, one text record each
  int64_t bytes = 0;     // size of the file
};

// Writes a file of exactly `entities` entity statements to `path`, the same
// bytes for the same `entities` and `seed`. Every entity is writable again
// (no zero-length line, no blank text, no coinciding corners). Returns false
// when the file cannot be written; `counts` then holds what was written.
bool WriteSyntheticDrawing(const std::string& path, int32_t entities, uint64_t seed,
                           TSyntheticCounts& counts);
