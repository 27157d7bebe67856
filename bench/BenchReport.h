// The benchmark's tables: per stage and size the median time, input MB/s and
// ns per entity; per size the pipeline against the I/O floor, peak memory
// and growth; then the targets, each marked as met or missed.
#pragma once

#include <cstdio>
#include <vector>

#include "bench/SizeMeasurement.h"

// Prints the tables for `results` (in increasing size) to `out`. With
// `smoke` the figures are labelled as a smoke run and no target is judged.
void PrintBenchReport(std::FILE* out, const std::vector<TSizeResult>& results, bool smoke);
