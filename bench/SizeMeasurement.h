// Measuring one size: the pipeline and the I/O floor run alternately on the
// same generated file, and the medians, the first run and the checks that
// every run did its whole work are kept.
#pragma once

#include <cstdint>
#include <string>

#include "bench/PipelineRun.h"
#include "bench/SyntheticDrawing.h"

struct TSizeResult {
  TSyntheticCounts counts;
  int32_t runs = 0;
  double medianSeconds[kBenchStageCount] = {};
  double cpuMedianSeconds[kBenchStageCount] = {};  // processor time
  double firstTotalSeconds = 0;  // a process's first run (the median of several processes')
  double floorMedianSeconds = 0;
  int64_t outputBytes = 0;
  long startRssKb = 0;  // peak resident memory before the first run
  long peakRssKb = 0;   // peak resident memory after the last run
  bool ok = false;
  char problem[200] = {};  // what went wrong when !ok
};

// Runs the pipeline and the floor `runs` times each on `input`, whose content
// `counts` describes, writing beside it in `folder`. With `checkRoundTrip`
// the saved file is also read back and must hold the same entities and texts.
// Peak memory is the process's own: call this in a fresh process.
TSizeResult MeasureSize(const std::string& input, const TSyntheticCounts& counts,
                        const std::string& folder, int32_t runs, bool checkRoundTrip);
