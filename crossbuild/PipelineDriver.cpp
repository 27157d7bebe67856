// jwwpipeline JOBS: the tool's confirmed pipeline as a console program, for
// the cross-build differential. JOBS holds one job a line, "FLIP INPUT
// OUTPUT"; each runs read, flip, "hd", output pass and save, as the window
// does, all in one process (one Wine start for the Windows build). On
// Windows the core uses the program's own Win32 file operations, as the .exe
// does. Exit code 0 when every job read its whole file and saved it; a line
// on the error output for each job that did not.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "bench/PipelineRun.h"
#ifdef _WIN32
#include "app/Win32Platform.h"
#endif

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: jwwpipeline JOBS\n");
    return 2;
  }
#ifdef _WIN32
  InstallWin32FileOps();
#endif
  std::ifstream jobs(argv[1], std::ios::binary);
  if (!jobs) {
    std::fprintf(stderr, "jwwpipeline: cannot read %s\n", argv[1]);
    return 2;
  }
  int failed = 0;
  std::string line;
  while (std::getline(jobs, line)) {
    std::istringstream fields(line);
    int32_t flipType = 0;
    std::string input;
    std::string output;
    if (!(fields >> flipType >> input >> output)) continue;
    const TPipelineRun run = RunPipelineOnce(input, output, flipType);
    if (!run.readComplete || !run.saved) {
      std::fprintf(stderr, "jwwpipeline: %s (flip type %d): %s\n", input.c_str(), flipType,
                   run.readComplete ? "not saved" : "not read completely");
      ++failed;
    }
  }
  return failed == 0 ? 0 : 1;
}
