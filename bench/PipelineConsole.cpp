// jwwpipeline: the confirmed run as a console program, no window. Flips the
// transfer file at FILE in place with flip type FLIP (default 2, both) and
// exits 0 when the answer was saved. The benchmark times it as a whole
// process beside the Windows program under Wine; built for Windows it saves
// through the Windows program's own file operations, so both save alike.
//
//   jwwpipeline FILE [FLIP]
#include <cstdio>
#include <cstdlib>

#include "flip/ConfirmedRun.h"
#include "transfer/JwwGaibu.h"

#ifdef _WIN32
#include "app/Win32Platform.h"
#endif

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: jwwpipeline FILE [FLIP]\n");
    return 2;
  }
#ifdef _WIN32
  InstallWin32FileOps();
#endif
  const int32_t flipType = argc == 3 ? std::atoi(argv[2]) : 2;
  TJwwSilentProgress progress;
  const bool saved = FlipTransferFile(argv[1], flipType, progress);
  JwwRelease();
  return saved ? 0 : 1;
}
