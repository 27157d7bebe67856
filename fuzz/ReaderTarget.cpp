// Fuzz target: the transfer-file reader on arbitrary bytes.
//
// The bytes are read twice: handed out whole on one thread, and in small
// reads that split lines (and CR LF pairs) at every possible place, as the
// tool reads, on two threads (the helper forced on for about half of the
// inputs, with pieces of a few bytes). Both reads must end complete unless
// the file is empty or an end-of-file mark cuts data off (inside a line, or
// statements after the mark that ends the file), leave a sound store, and
// leave the same store.
#include <string>

#include "fuzz/EndMarkOracle.h"
#include "fuzz/FuzzChecks.h"
#include "fuzz/FuzzEntry.h"
#include "fuzz/MemoryFolder.h"
#include "fuzz/StoreDigest.h"
#include "transfer/JwwGaibu.h"

namespace {

const std::string kPath = "JWC_TEMP.TXT";

// Reads the memory file with reads of at most `chunk` bytes (0: no limit),
// the way last set, and returns the store's digest.
uint64_t ReadInChunks(size_t chunk) {
  SetMemoryReadChunk(chunk);
  JwwInit();
  const bool complete = JwwReadFile(kPath);
  const bool cutShort = ReadsAsCutShort(MemoryFiles()[kPath]);
  Require(complete != cutShort && jwwReadResult == (cutShort ? jrIncomplete : jrComplete),
          "a file is read to its end unless it is empty or an end-of-file mark cuts data off");
  RequireSoundStore();
  return StoreDigest();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  InstallMemoryFolder();
  MemoryFiles().clear();
  MemoryFiles()[kPath].assign(reinterpret_cast<const char*>(data), size);

  RunOnOneThread();
  const uint64_t whole = ReadInChunks(0);
  RunTwoThreadWay(MemoryFiles()[kPath]);
  const uint64_t pieces = ReadInChunks(1 + size % 7);
  EndTwoThreadWay();
  Require(whole == pieces, "the store does not depend on how the file is handed out or on the threads");
  // Nothing stays allocated between inputs, so the fuzzer's leak check can
  // tell a real leak from the store's own storage.
  JwwRelease();
  MemoryFiles().clear();
  return 0;
}
