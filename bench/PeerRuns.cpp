// Whole processes, timed from fork to the end of wait, with the peak
// resident memory that wait4 reports for the child alone.
#include "bench/PeerRuns.h"

#include <fcntl.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

struct TProgram {
  std::string name;
  std::string path;
  bool isCore = false;
};

// The full path of `name` in a folder of PATH, or empty when it is in none.
std::string FindOnPath(const std::string& name) {
  const char* path = std::getenv("PATH");
  std::string folders = path ? path : "";
  size_t start = 0;
  while (start <= folders.size()) {
    size_t end = folders.find(':', start);
    if (end == std::string::npos) end = folders.size();
    const std::string candidate = folders.substr(start, end - start) + "/" + name;
    if (end > start && access(candidate.c_str(), X_OK) == 0) return candidate;
    start = end + 1;
  }
  return {};
}

bool CopyFile(const std::string& from, const std::string& to) {
  std::ifstream in(from, std::ios::binary);
  std::ofstream out(to, std::ios::binary | std::ios::trunc);
  out << in.rdbuf();
  return in && out.flush();
}

// The answer begins with the line "hd" (ended by CR LF from the core, by LF
// from awk).
bool StartsWithAnswer(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  std::string head;
  return std::getline(file, head) && (head == "hd" || head == "hd\r");
}

struct TProcessRun {
  double seconds = 0;
  long peakRssKb = 0;
  bool exitedCleanly = false;  // exit code 0
};

// Runs `argv` with LC_ALL=C, its standard output into `outputPath` (when not
// empty), and times it from fork to the end of its wait.
TProcessRun RunProcess(const std::vector<std::string>& argv, const std::string& outputPath) {
  std::vector<char*> args;
  for (const std::string& a : argv) args.push_back(const_cast<char*>(a.c_str()));
  args.push_back(nullptr);
  TProcessRun run;
  const auto start = std::chrono::steady_clock::now();
  const pid_t child = fork();
  if (child == 0) {
    if (!outputPath.empty()) {
      const int fd = open(outputPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
      if (fd < 0 || dup2(fd, STDOUT_FILENO) < 0) _exit(126);
      close(fd);
    }
    setenv("LC_ALL", "C", 1);
    execv(args[0], args.data());
    _exit(127);
  }
  if (child < 0) return run;
  int status = 0;
  rusage usage{};
  const bool waited = wait4(child, &status, 0, &usage) == child;
  run.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  run.peakRssKb = usage.ru_maxrss;
  run.exitedCleanly = waited && WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return run;
}

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const size_t n = values.size();
  return n == 0 ? 0 : n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// One run of `program` on `input`; an empty problem when it did its work.
std::string RunOnce(const TProgram& program, const std::string& input, const std::string& folder,
                    const std::string& awkScript, TPeerResult& result) {
  const std::string output = folder + "/peer_" + program.name + ".txt";
  TProcessRun run;
  if (program.isCore) {
    if (!CopyFile(input, output)) return "could not copy the drawing";
    run = RunProcess({program.path, output, "2"}, {});
  } else {
    run = RunProcess({program.path, "-v", "type=2", "-f", awkScript, input}, output);
  }
  result.seconds.push_back(run.seconds);
  result.peakRssKb = std::max(result.peakRssKb, run.peakRssKb);
  std::string problem;
  if (!run.exitedCleanly) {
    problem = "did not end with exit code 0";
  } else if (!StartsWithAnswer(output)) {
    problem = "wrote no answer";
  }
  std::remove(output.c_str());
  return problem;
}

}  // namespace

std::vector<TPeerResult> RunPeers(const std::string& input, const std::string& folder,
                                  const std::string& pipeline, const std::string& awkScript,
                                  int32_t runs, std::vector<std::string>& skipped) {
  std::vector<TProgram> programs{{"core", pipeline, true}};
  const bool scriptFound = access(awkScript.c_str(), R_OK) == 0;
  for (const char* awk : {"gawk", "mawk"}) {
    const std::string path = scriptFound ? FindOnPath(awk) : std::string();
    if (path.empty()) {
      skipped.push_back(awk);
    } else {
      programs.push_back({awk, path});
    }
  }
  std::vector<TPeerResult> results(programs.size());
  for (size_t p = 0; p < programs.size(); ++p) results[p].name = programs[p].name;
  for (int32_t round = 0; round < runs; ++round) {
    for (size_t k = 0; k < programs.size(); ++k) {
      const size_t p = (k + static_cast<size_t>(round)) % programs.size();
      std::string problem = RunOnce(programs[p], input, folder, awkScript, results[p]);
      if (!problem.empty() && results[p].problem.empty()) results[p].problem = problem;
    }
  }
  for (TPeerResult& r : results) {
    r.medianSeconds = Median(r.seconds);
    r.ok = r.problem.empty();
  }
  return results;
}
