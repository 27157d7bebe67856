// One timed run of the tool's whole pipeline, in-process, as the window runs
// it: opening (init, read, writer reset), the confirmed run (flip in both
// directions, "hd", output pass), closing (save, release).
#pragma once

#include <cstdint>
#include <string>

enum TBenchStage : int {
  bsRead,     // OpenTransferFile
  bsFlip,     // RunConfirmedFlip, up to the output pass
  bsWrite,    // the rest of it: "hd" and WriteAllEntities
  bsSave,     // SaveOutputFile, the first step of CloseTransferFile
  bsTotal,    // read, flip, write and save: what the user waits for
  bsRelease,  // JwwRelease, its second, after the file is saved
  kBenchStageCount
};

const char* BenchStageName(int stage);

struct TPipelineRun {
  double seconds[kBenchStageCount] = {};     // wall-clock time
  double cpuSeconds[kBenchStageCount] = {};  // processor time of the process
  bool readComplete = false;                 // the whole file was read
  bool saved = false;                        // SaveOutputFile reported success
  int32_t entities = 0;                      // entity-order entries after reading
  int32_t texts = 0;                         // text records after reading
  int32_t outputLines = 0;                   // output lines before saving
};

// Reads `input`, flips, writes and saves to `output` (which must differ from
// `input`, so that the next run reads the same file), timing each stage.
TPipelineRun RunPipelineOnce(const std::string& input, const std::string& output);
