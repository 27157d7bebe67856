// The benchmark's tables: per stage and size the median time, input MB/s and
// ns per entity; per size the pipeline against the I/O floor, peak memory
// and growth; then the targets, each marked as met or missed. And the core
// against its awk peers.
#pragma once

#include <cstdio>
#include <vector>

#include "bench/PeerRuns.h"
#include "bench/SizeMeasurement.h"

// Prints the tables for `results` (in increasing size) to `out`. With
// `smoke` the figures are labelled as a smoke run and no target is judged.
void PrintBenchReport(std::FILE* out, const std::vector<TSizeResult>& results, bool smoke);

// Prints the side-by-side runs of the core and its awk peers on a file of
// `counts`, the core's lead over each awk judged against its goal (not with
// `smoke`), and the awks left out.
void PrintPeerReport(std::FILE* out, const TSyntheticCounts& counts,
                     const std::vector<TPeerResult>& results,
                     const std::vector<std::string>& skipped, bool smoke);
