// jwwbench: generates synthetic transfer files of several sizes and measures
// the tool's pipeline against the I/O floor on each, every size in a fresh
// child process so that its peak memory is its own. With --peers it times
// the console pipeline (jwwpipeline, beside jwwbench) against the same flip
// in awk under gawk and mawk instead, as whole processes, on a drawing of
// 600,000 entities unless --sizes says otherwise. --smoke runs both once on
// a small drawing and checks that every run did its work.
//
//   jwwbench [--sizes 10000,100000,1000000] [--runs 5] [--seed 1] [--dir DIR] [--keep]
//            [--one-thread]
//   jwwbench --peers [--awk-script PATH] [--sizes 600000] [--runs 5] [--seed 1] [--dir DIR]
//   jwwbench --smoke
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "bench/BenchReport.h"
#include "bench/PipelineRun.h"
#include "bench/PeerRuns.h"
#include "bench/SizeMeasurement.h"
#include "bench/SyntheticDrawing.h"
#include "transfer/JwwGaibu.h"

namespace {

constexpr int32_t kSmokeEntities = 3000;
constexpr int32_t kMinRuns = 5;
constexpr int32_t kPeerEntities = 600000;
// The awk peer, outside the repository, beside it in the shared folder;
// bench/run.sh runs jwwbench from the repository root.
constexpr const char* kDefaultAwkScript = "../shared/peers/flip.awk";

struct TOptions {
  std::vector<int32_t> sizes{10000, 100000, 1000000};
  int32_t runs = kMinRuns;
  uint64_t seed = 1;
  std::string folder;  // empty: a fresh temporary folder
  bool keep = false;
  bool smoke = false;
  bool oneThread = false;  // the core without its second thread
  bool peers = false;      // the core against its awk peers
  bool sizesGiven = false;
  std::string awkScript = kDefaultAwkScript;
};

void Usage() {
  std::fprintf(stderr,
               "usage: jwwbench [--sizes N,N,...] [--runs R] [--seed S] [--dir DIR] [--keep]\n"
               "                [--one-thread]\n"
               "       jwwbench --peers [--awk-script PATH] [--sizes N,...] [--runs R] [--seed S]\n"
               "                [--dir DIR]\n"
               "       jwwbench --smoke\n"
               "Sizes are entity counts (default 10000,100000,1000000; 5000000 on request;\n"
               "600000 with --peers); R >= %d runs per size (default %d). --one-thread\n"
               "measures the core without its second thread. --peers times jwwpipeline\n"
               "against the awk script (default %s) under gawk and mawk.\n",
               kMinRuns, kMinRuns, kDefaultAwkScript);
}

bool ParseSizes(const char* text, std::vector<int32_t>& sizes) {
  sizes.clear();
  for (const char* at = text; *at;) {
    char* end = nullptr;
    long n = std::strtol(at, &end, 10);
    if (end == at || n < 1 || n > 100000000) return false;
    sizes.push_back(static_cast<int32_t>(n));
    at = *end == ',' ? end + 1 : end;
    if (*end && *end != ',') return false;
  }
  return !sizes.empty();
}

// False on anything it does not understand.
bool ParseOptions(int argc, char** argv, TOptions& options) {
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    const char* value = i + 1 < argc ? argv[i + 1] : nullptr;
    if (arg == "--smoke") {
      options.smoke = true;
    } else if (arg == "--keep") {
      options.keep = true;
    } else if (arg == "--one-thread") {
      options.oneThread = true;
    } else if (arg == "--peers") {
      options.peers = true;
    } else if (arg == "--awk-script" && value) {
      options.awkScript = value;
      ++i;
    } else if (arg == "--sizes" && value && ParseSizes(value, options.sizes)) {
      options.sizesGiven = true;
      ++i;
    } else if (arg == "--runs" && value && std::atoi(value) >= kMinRuns) {
      options.runs = std::atoi(value);
      ++i;
    } else if (arg == "--seed" && value) {
      options.seed = std::strtoull(value, nullptr, 10);
      ++i;
    } else if (arg == "--dir" && value) {
      options.folder = value;
      ++i;
    } else {
      return false;
    }
  }
  if (options.smoke) {
    options.sizes = {kSmokeEntities};
    options.runs = 1;
    options.peers = false;
    options.sizesGiven = true;
  }
  if (options.peers && !options.sizesGiven) options.sizes = {kPeerEntities};
  return true;
}

bool ReadAll(int fd, void* data, size_t size) {
  char* at = static_cast<char*>(data);
  while (size > 0) {
    ssize_t got = read(fd, at, size);
    if (got < 0 && errno == EINTR) continue;
    if (got <= 0) return false;
    at += got;
    size -= static_cast<size_t>(got);
  }
  return true;
}

bool WriteAll(int fd, const void* data, size_t size) {
  const char* at = static_cast<const char*>(data);
  while (size > 0) {
    ssize_t put = write(fd, at, size);
    if (put < 0 && errno == EINTR) continue;
    if (put <= 0) return false;
    at += put;
    size -= static_cast<size_t>(put);
  }
  return true;
}

void Fail(TSizeResult& result, const char* problem) {
  result.ok = false;
  std::snprintf(result.problem, sizeof result.problem, "%s", problem);
}

// Measures one generated file in a child process, which starts with the
// small footprint of this driver, and hands its result back through a pipe.
TSizeResult MeasureInChild(const std::string& input, const TSyntheticCounts& counts,
                           const TOptions& options, const std::string& folder) {
  TSizeResult result;
  result.counts = counts;
  int channel[2];
  if (pipe(channel) != 0) {
    Fail(result, "no pipe");
    return result;
  }
  std::fflush(nullptr);
  pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    TSizeResult measured = MeasureSize(input, counts, folder, options.runs, options.smoke);
    _exit(WriteAll(channel[1], &measured, sizeof measured) ? 0 : 1);
  }
  close(channel[1]);
  bool received = child > 0 && ReadAll(channel[0], &result, sizeof result);
  close(channel[0]);
  int status = 0;
  if (child > 0) waitpid(child, &status, 0);
  if (!received || !WIFEXITED(status) || WEXITSTATUS(status) != 0) {
    Fail(result, child < 0             ? "could not start the measuring process"
                 : WIFSIGNALED(status) ? "the measuring process crashed"
                                       : "the measuring process failed");
    result.counts = counts;
  }
  return result;
}

// jwwpipeline, built beside this program.
std::string PipelineBeside(const char* argv0) {
  const std::string self = argv0;
  const size_t slash = self.rfind('/');
  return (slash == std::string::npos ? std::string(".") : self.substr(0, slash)) + "/jwwpipeline";
}

// The core against its awk peers at each size; false when a run failed.
bool RunPeerComparison(const TOptions& options, const std::string& folder,
                       const std::string& pipeline) {
  std::printf("jwwbench: the core (%s) against %s, %d round(s), seed %llu, files in %s\n",
              pipeline.c_str(), options.awkScript.c_str(), options.runs,
              static_cast<unsigned long long>(options.seed), folder.c_str());
  bool allOk = true;
  for (int32_t size : options.sizes) {
    const std::string input = folder + "/JWC_TEMP_" + std::to_string(size) + ".TXT";
    TSyntheticCounts counts;
    if (!WriteSyntheticDrawing(input, size, options.seed, counts)) {
      std::fprintf(stderr, "jwwbench: %d entities: could not write the generated file\n", size);
      allOk = false;
      continue;
    }
    std::vector<std::string> skipped;
    const std::vector<TPeerResult> results =
        RunPeers(input, folder, pipeline, options.awkScript, options.runs, skipped);
    if (!options.keep) std::remove(input.c_str());
    PrintPeerReport(stdout, counts, results, skipped, options.smoke);
    for (const TPeerResult& r : results) allOk = allOk && r.ok;
  }
  return allOk;
}

// The total of one run in a fresh process, the first of its life (tables
// to build, memory never used before, the helper thread to start); negative
// when it failed.
double FirstRunInChild(const std::string& input, const std::string& folder) {
  int channel[2];
  if (pipe(channel) != 0) return -1;
  std::fflush(nullptr);
  pid_t child = fork();
  if (child == 0) {
    close(channel[0]);
    const TPipelineRun run = RunPipelineOnce(input, folder + "/first_run_out.txt");
    const double total = run.readComplete && run.saved ? run.seconds[bsTotal] : -1;
    _exit(WriteAll(channel[1], &total, sizeof total) ? 0 : 1);
  }
  close(channel[1]);
  double total = -1;
  if (child <= 0 || !ReadAll(channel[0], &total, sizeof total)) total = -1;
  close(channel[0]);
  if (child > 0) waitpid(child, nullptr, 0);
  std::remove((folder + "/first_run_out.txt").c_str());
  return total;
}

// The median first run over the measuring process's and `runs` - 1 more
// fresh processes: one first run alone says little on a busy machine.
void MedianFirstRun(TSizeResult& result, const std::string& input, const std::string& folder,
                    int32_t runs) {
  std::vector<double> totals{result.firstTotalSeconds};
  for (int32_t i = 1; i < runs; ++i) {
    const double total = FirstRunInChild(input, folder);
    if (total < 0) {
      Fail(result, "a first run in a fresh process failed");
      return;
    }
    totals.push_back(total);
  }
  std::sort(totals.begin(), totals.end());
  const size_t n = totals.size();
  result.firstTotalSeconds = n % 2 ? totals[n / 2] : (totals[n / 2 - 1] + totals[n / 2]) / 2;
}

std::string MakeFolder(const TOptions& options) {
  if (!options.folder.empty()) return options.folder;
  const char* tmp = std::getenv("TMPDIR");
  std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/jwwbench.XXXXXX";
  return mkdtemp(pattern.data()) ? pattern : std::string();
}

}  // namespace

int main(int argc, char** argv) {
  TOptions options;
  if (!ParseOptions(argc, argv, options)) {
    Usage();
    return 2;
  }
  const std::string folder = MakeFolder(options);
  if (folder.empty()) {
    std::perror("jwwbench: temporary folder");
    return 1;
  }
  if (options.peers) {
    const bool ok = RunPeerComparison(options, folder, PipelineBeside(argv[0]));
    if (!options.keep && options.folder.empty()) rmdir(folder.c_str());
    return ok ? 0 : 1;
  }
  // Set before the children are forked, so each measures the core chosen.
  jwwUseSecondThread = !options.oneThread;
  std::printf("jwwbench: %ld cores, core on %s, %d run(s) per size, seed %llu, files in %s\n\n",
              sysconf(_SC_NPROCESSORS_ONLN), options.oneThread ? "one thread" : "two threads",
              options.runs, static_cast<unsigned long long>(options.seed), folder.c_str());

  std::vector<TSizeResult> results;
  bool allOk = true;
  for (int32_t size : options.sizes) {
    const std::string input = folder + "/JWC_TEMP_" + std::to_string(size) + ".TXT";
    TSyntheticCounts counts;
    TSizeResult result;
    if (!WriteSyntheticDrawing(input, size, options.seed, counts)) {
      result.counts = counts;
      Fail(result, "could not write the generated file");
    } else {
      result = MeasureInChild(input, counts, options, folder);
      if (result.ok) MedianFirstRun(result, input, folder, options.runs);
    }
    if (!options.keep) std::remove(input.c_str());
    allOk = allOk && result.ok;
    if (!result.ok) std::fprintf(stderr, "jwwbench: %d entities: %s\n", size, result.problem);
    results.push_back(result);
  }
  PrintBenchReport(stdout, results, options.smoke);
  if (options.smoke) allOk = RunPeerComparison(options, folder, PipelineBeside(argv[0])) && allOk;
  if (!options.keep && options.folder.empty()) rmdir(folder.c_str());
  return allOk ? 0 : 1;
}
