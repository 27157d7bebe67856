// The core against its awk peer, side by side: the console pipeline
// (jwwpipeline, flip type 2) and the same flip written in awk, run by gawk
// and by mawk, each as a whole process on the same file, in turns.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct TPeerResult {
  std::string name;             // "core", "gawk" or "mawk"
  std::vector<double> seconds;  // wall-clock time of each run, start to exit
  double medianSeconds = 0;
  long peakRssKb = 0;  // the largest peak resident memory of its runs
  bool ok = false;     // every run ended with exit code 0 and wrote an answer
  std::string problem;
};

// Runs `pipeline` on a fresh copy of `input` and each awk found on PATH on
// `input` itself, `runs` times each, the order turning from round to round
// so that no program always follows the same one; their files go into
// `folder`. The awks run `awkScript` as LC_ALL=C AWK -v type=2 -f SCRIPT
// FILE with the answer on their standard output. An awk that is not
// installed is left out and named in `skipped`; none runs when `awkScript`
// is not a readable file.
std::vector<TPeerResult> RunPeers(const std::string& input, const std::string& folder,
                                  const std::string& pipeline, const std::string& awkScript,
                                  int32_t runs, std::vector<std::string>& skipped);
