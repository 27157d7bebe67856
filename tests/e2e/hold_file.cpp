// hold_file: holds a file open for writing, as another program may hold the
// transfer file (an editor, a sync tool), until it is told to let go. Under
// Wine the wineserver enforces share modes between Windows programs, so the
// tool's opening of the file fails with a sharing violation meanwhile.
//
//   hold_file FILE RELEASE
//
// Opens FILE for writing, sharing reading and writing with others, prints
// "held", then waits until a file RELEASE exists (at most 60 s) and closes
// FILE. Exit code 0 when it held the file, 1 when it could not open it, 2 for
// bad usage.
#include <windows.h>

#include <cstdio>

namespace {

constexpr int kWaitSteps = 1200;
constexpr DWORD kStepMilliseconds = 50;

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) return 2;
  HANDLE held = CreateFileW(argv[1], GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                            OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) return 1;
  std::puts("held");
  std::fflush(stdout);
  for (int step = 0; step < kWaitSteps; ++step) {
    if (GetFileAttributesW(argv[2]) != INVALID_FILE_ATTRIBUTES) break;
    Sleep(kStepMilliseconds);
  }
  CloseHandle(held);
  return 0;
}
