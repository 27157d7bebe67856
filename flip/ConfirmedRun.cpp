#include "flip/ConfirmedRun.h"

#include <new>

#include "flip/BasePointFlip.h"
#include "transfer/JwwGaibu.h"

void RunConfirmedFlip(int32_t flipType, TJwwProgress& progress) {
  if (jwwReadResult == jrIncomplete) return;
  try {
    FlipAllTexts(flipType, progress);
    AddOutputLine("hd");
    WriteAllEntities(progress);
  } catch (const std::bad_alloc&) {
    ClearOutputLines();
  }
}

bool FlipTransferFile(const std::string& path, int32_t flipType, TJwwProgress& progress) {
  JwwInit();
  JwwReadFile(path);
  ResetWriterState();
  RunConfirmedFlip(flipType, progress);
  return SaveOutputFile(path);
}
