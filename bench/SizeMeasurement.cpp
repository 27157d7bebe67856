// Alternating pipeline and floor runs, with a check after each run that it
// read, flipped and wrote everything the generator put in the file.
#include "bench/SizeMeasurement.h"

#include <sys/resource.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <vector>

#include "bench/IoFloor.h"
#include "transfer/JwwGaibu.h"

namespace {

long PeakRssKb() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;  // kilobytes on Linux
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  size_t n = values.size();
  return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

int64_t FileSize(const std::string& path) {
  std::ifstream file(path, std::ios::binary | std::ios::ate);
  return file ? static_cast<int64_t>(file.tellg()) : -1;
}

bool StartsWith(const std::string& path, std::string_view prefix) {
  std::ifstream file(path, std::ios::binary);
  std::string head(prefix.size(), '\0');
  return file.read(head.data(), static_cast<std::streamsize>(head.size())) && head == prefix;
}

// Empty when `run` did all its work on a file of `counts`, else the fault.
std::string PipelineProblem(const TPipelineRun& run, const TSyntheticCounts& counts) {
  char text[160];
  if (!run.readComplete) return "the reader did not read the file to its end";
  if (run.entities != counts.entities || run.texts != counts.texts) {
    std::snprintf(text, sizeof text, "read %d entities and %d texts, expected %d and %d",
                  run.entities, run.texts, counts.entities, counts.texts);
    return text;
  }
  if (run.outputLines <= counts.entities) return "the output pass wrote too few lines";
  if (!run.saved) return "saving the output file failed";
  return {};
}

std::string FloorProblem(const TFloorRun& run, const TSyntheticCounts& counts) {
  if (!run.ok) return "the floor copy failed";
  if (run.written != counts.bytes) return "the floor copy changed the file's size";
  return {};
}

// The saved file read back must hold what the input held.
std::string RoundTripProblem(const std::string& output, const TSyntheticCounts& counts) {
  if (!StartsWith(output, "hd\r\n")) return "the saved file does not start with hd";
  JwwInit();
  bool complete = JwwReadFile(output);
  int32_t entities = entityOrder.Count(), texts = jwwTexts.Count();
  JwwRelease();
  if (!complete || entities != counts.entities || texts != counts.texts) {
    char text[160];
    std::snprintf(text, sizeof text, "the saved file reads back as %d entities and %d texts",
                  entities, texts);
    return text;
  }
  return {};
}

}  // namespace

TSizeResult MeasureSize(const std::string& input, const TSyntheticCounts& counts,
                        const std::string& folder, int32_t runs, bool checkRoundTrip) {
  TSizeResult result;
  result.counts = counts;
  result.runs = runs;
  result.startRssKb = PeakRssKb();
  const std::string output = folder + "/pipeline_out.txt";
  const std::string floorOutput = folder + "/floor_out.txt";

  std::vector<double> stages[kBenchStageCount];
  std::vector<double> cpu[kBenchStageCount];
  std::vector<double> floor;
  std::string problem;
  for (int32_t i = 0; i < runs && problem.empty(); ++i) {
    TPipelineRun run = RunPipelineOnce(input, output);
    problem = PipelineProblem(run, counts);
    for (int s = 0; s < kBenchStageCount; ++s) {
      stages[s].push_back(run.seconds[s]);
      cpu[s].push_back(run.cpuSeconds[s]);
    }
    if (i == 0) result.firstTotalSeconds = run.seconds[bsTotal];

    TFloorRun floorRun = CopyLinesThrough(input, floorOutput);
    if (problem.empty()) problem = FloorProblem(floorRun, counts);
    floor.push_back(floorRun.seconds);
  }
  result.peakRssKb = PeakRssKb();
  result.outputBytes = FileSize(output);
  if (problem.empty() && checkRoundTrip) problem = RoundTripProblem(output, counts);

  for (int s = 0; s < kBenchStageCount; ++s) {
    result.medianSeconds[s] = Median(stages[s]);
    result.cpuMedianSeconds[s] = Median(cpu[s]);
  }
  result.floorMedianSeconds = Median(floor);
  std::remove(output.c_str());
  std::remove(floorOutput.c_str());
  result.ok = problem.empty();
  std::snprintf(result.problem, sizeof result.problem, "%s", problem.c_str());
  return result;
}
