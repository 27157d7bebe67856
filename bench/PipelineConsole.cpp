// jwwpipeline: the confirmed run as a console program, no window, built for
// every target. Built for Windows it saves through the Windows program's own
// file operations, so both save alike.
//
//   jwwpipeline FILE [FLIP]   flips the transfer file FILE in place with flip
//                             type FLIP (default 2, both); the benchmark times
//                             it as a whole process beside the Windows program
//   jwwpipeline --jobs JOBS   the same for every line "FLIP FILE" of JOBS, in
//                             one process (the cross-build differential runs
//                             the Windows build once, under one Wine start)
//
// Exit code 0 when every file was read to its end and its answer saved; 1 and
// a line on the error output for each that was not; 2 for bad usage.
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>

#include "flip/ConfirmedRun.h"
#include "transfer/JwwGaibu.h"

#ifdef _WIN32
#include "app/Win32Platform.h"
#endif

namespace {

// Flips `path` in place; false (reported) when it was not read to its end or
// its answer was not saved.
bool FlipFile(const std::string& path, int32_t flipType) {
  TJwwSilentProgress progress;
  const bool saved = FlipTransferFile(path, flipType, progress);
  const bool complete = jwwReadResult == jrComplete;
  if (!saved || !complete) {
    std::fprintf(stderr, "jwwpipeline: %s (flip type %d): %s\n", path.c_str(), flipType,
                 complete ? "not saved" : "not read to its end");
  }
  return saved && complete;
}

int RunJobs(const char* jobsPath) {
  std::ifstream jobs(jobsPath, std::ios::binary);
  if (!jobs) {
    std::fprintf(stderr, "jwwpipeline: cannot read %s\n", jobsPath);
    return 2;
  }
  bool allDone = true;
  std::string line;
  while (std::getline(jobs, line)) {
    std::istringstream fields(line);
    int32_t flipType = 0;
    std::string path;
    if (fields >> flipType >> path) allDone = FlipFile(path, flipType) && allDone;
  }
  return allDone ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
#ifdef _WIN32
  InstallWin32FileOps();
#endif
  if (argc == 3 && std::string(argv[1]) == "--jobs") return RunJobs(argv[2]);
  if (argc < 2 || argc > 3 || argv[1][0] == '-') {
    std::fprintf(stderr, "usage: jwwpipeline FILE [FLIP]\n       jwwpipeline --jobs JOBS\n");
    return 2;
  }
  return FlipFile(argv[1], argc == 3 ? std::atoi(argv[2]) : ftBoth) ? 0 : 1;
}
