// The core on two threads against the core on one: the same saved bytes, the
// same read result and the same progress reports, for every fuzz corpus file
// and for generated drawings, read whole and in odd pieces, cut short, with
// end-of-file marks, with lines longer than a piece, with Escape pressed, and
// with memory or reads failing part way.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/SyntheticDrawing.h"
#include "flip/ConfirmedRun.h"
#include "fuzz/MemoryFolder.h"
#include "tests/robustness/RestoreFileOps.h"
#include "tests/robustness/RunConditions.h"
#include "tests/robustness/TempFolder.h"
#include "transfer/JwwGaibu.h"
#include "transfer/JwwPieceRunner.h"

namespace {

// --- What a run gives ----------------------------------------------------------

// Records the progress reports; Escape is down from poll `escapeAt` on (0:
// never).
class TRecordingProgress final : public TJwwProgress {
 public:
  explicit TRecordingProgress(int escapeAt) : escapeAt_(escapeAt) {}
  void FlippingText(int32_t i, int32_t count) override {
    if (i == count) log += "flip " + std::to_string(count) + ";";
  }
  void WritingEntity(int32_t entry, int32_t total) override {
    log += std::to_string(entry) + "/" + std::to_string(total) + ";";
  }
  bool EscapeDown() override { return ++polls_ == escapeAt_; }
  std::string log;

 private:
  int escapeAt_;
  int polls_ = 0;
};

struct TOutcome {
  TJwwReadResult read;
  std::string saved;
  std::string progress;
  bool operator==(const TOutcome&) const = default;
};

// How a run is disturbed: reads of at most `readCap` bytes (0: no limit),
// read `failingRead` failing, block allocation `failingAlloc` failing, Escape
// down at poll `escapeAt` (0: none of these).
struct TConditions {
  size_t readCap = 0;
  int failingRead = 0;
  int failingAlloc = 0;
  int escapeAt = 0;
};

const std::string kPath = "JWC_TEMP.TXT";

TConditions conditions;
int reads = 0;
int allocations = 0;
long long (*memoryRead)(TJwwFile, char*, size_t) = nullptr;

long long DisturbedRead(TJwwFile file, char* buffer, size_t size) {
  if (++reads == conditions.failingRead) return -1;
  return memoryRead(file, buffer, size);
}

bool DisturbedAllocation() {
  return ++allocations == conditions.failingAlloc;
}

// The window's confirmed run on `input` under `c`, on one thread or two, in
// the memory folder.
TOutcome RunCore(const std::string& input, int32_t flipType, const TConditions& c,
                 bool twoThreads) {
  TRestoreFileOps restore;
  InstallMemoryFolder();
  MemoryFiles() = {{kPath, input}};
  SetMemoryReadChunk(c.readCap);
  memoryRead = jwwFileOps.read;
  conditions = c;
  reads = allocations = 0;
  jwwFileOps.read = DisturbedRead;
  jwwBlockAllocFails = DisturbedAllocation;
  jwwUseSecondThread = twoThreads;
  TRecordingProgress progress(c.escapeAt);
  FlipTransferFile(kPath, flipType, progress);
  jwwUseSecondThread = true;
  jwwBlockAllocFails = nullptr;
  TOutcome outcome{jwwReadResult, MemoryFiles()[kPath], progress.log};
  JwwRelease();
  MemoryFiles().clear();
  return outcome;
}

// Runs `input` both ways and expects the same outcome.
void ExpectSameBytes(const std::string& name, const std::string& input, int32_t flipType,
                     const TConditions& c = {}) {
  const TOutcome one = RunCore(input, flipType, c, false);
  const TOutcome two = RunCore(input, flipType, c, true);
  EXPECT_EQ(one.read, two.read) << name;
  EXPECT_EQ(one.progress, two.progress) << name;
  EXPECT_TRUE(one.saved == two.saved) << name << ": the saved files differ (" << one.saved.size()
                                      << " and " << two.saved.size() << " bytes)";
}

// --- Inputs ----------------------------------------------------------------------

std::vector<std::string> CorpusFiles() {
  std::vector<std::string> files;
  for (const auto& folder : std::filesystem::directory_iterator(JWW_FUZZ_CORPUS)) {
    for (const auto& file : std::filesystem::directory_iterator(folder.path())) {
      if (file.is_regular_file()) files.push_back(file.path().string());
    }
  }
  std::sort(files.begin(), files.end());
  return files;
}

std::string Drawing(int32_t entities, uint64_t seed) {
  TTempFolder folder;
  const std::string path = folder.Path("drawing.txt");
  TSyntheticCounts counts;
  if (!WriteSyntheticDrawing(path, entities, seed, counts)) ADD_FAILURE() << "no drawing";
  return ReadBytes(path);
}

// The same file in the forms that meet the reader's edges: as it is, without
// its final line end, with an end-of-file mark after it, and with a mark in
// the middle followed by the statements of the second half, at once or after
// more empty lines than a piece holds.
std::vector<std::pair<std::string, std::string>> Variants(const std::string& file) {
  std::string cut = file;
  while (!cut.empty() && (cut.back() == '\n' || cut.back() == '\r')) cut.pop_back();
  size_t middle = file.find('\n', file.size() / 2);
  middle = middle == std::string::npos ? file.size() : middle + 1;
  const std::string emptyLines(300000, '\n');
  return {{"whole", file},
          {"no final line end", cut},
          {"end mark after the last line", file + "\r\n\x1A\r\n\x1A"},
          {"end mark with statements after it",
           file.substr(0, middle) + "\x1A\r\n" + file.substr(middle)},
          {"end mark, empty lines, statements",
           file.substr(0, middle) + "\x1A\r\n" + emptyLines + file.substr(middle)}};
}

// --- The tests ---------------------------------------------------------------------

TEST(SameBytes, EveryCorpusFileReadWholeAndInOddPieces) {
  int32_t flipType = 0;
  const std::vector<size_t> readCaps =
      QuickRun() ? std::vector<size_t>{0, 7} : std::vector<size_t>{0, 1, 7};
  for (const std::string& path : CorpusFiles()) {
    const std::string name = std::filesystem::path(path).filename().string();
    for (const auto& [variant, input] : Variants(ReadBytes(path))) {
      for (size_t cap : readCaps) {
        ExpectSameBytes(name + ", " + variant + ", reads of " + std::to_string(cap), input,
                        flipType++ % 4, {cap});
      }
    }
  }
}

TEST(SameBytes, GeneratedDrawingsWithLinesAcrossEveryPieceEdge) {
  const int32_t entities = QuickRun() ? 5000 : 40000;
  for (uint64_t seed : {1, 2}) {
    const std::string drawing = Drawing(entities, seed);
    for (const auto& [variant, input] : Variants(drawing)) {
      for (size_t cap : {size_t{0}, size_t{4093}, size_t{65521}}) {
        ExpectSameBytes(variant + ", reads of " + std::to_string(cap), input,
                        static_cast<int32_t>(seed), {cap});
      }
    }
  }
}

TEST(SameBytes, LinesLongerThanAPiece) {
  const std::string drawing = Drawing(3000, 3);
  const std::string longText = "ch 1 2 1 0 \"" + std::string(600000, 'x');
  const std::string longWord = std::string(300000, '7');
  const std::string inputs[] = {
      longText + "\r\n" + drawing,
      drawing + longText + "\r\n" + drawing,
      drawing + longWord + " 1 2 3\r\n" + drawing + longText,
  };
  for (const std::string& input : inputs) {
    for (size_t cap : {size_t{0}, size_t{65521}}) {
      ExpectSameBytes("reads of " + std::to_string(cap), input, 2, {cap});
    }
  }
}

TEST(SameBytes, EscapeAtEveryPollOfASmallDrawing) {
  const std::string drawing = Drawing(2500, 4);
  for (int poll = 1; poll <= 26; ++poll) {
    TConditions c;
    c.escapeAt = poll;
    ExpectSameBytes("Escape at poll " + std::to_string(poll), drawing, 1, c);
  }
}

TEST(SameBytes, EveryFailingBlockAllocationAndSomeFailingReads) {
  const std::string drawing = Drawing(QuickRun() ? 3000 : 12000, 5);
  // The two ways read in pieces of different sizes and may start their last
  // chunk of output lines at different lines: only failures that both reach
  // are compared.
  RunCore(drawing, 2, {65521}, false);
  int allocationsMade = allocations;
  const int readsMade = reads;
  RunCore(drawing, 2, {65521}, true);
  allocationsMade = std::min(allocationsMade, allocations);
  ASSERT_GT(allocationsMade, 10);
  for (int k = 1; k <= allocationsMade; ++k) {
    TConditions c;
    c.readCap = 65521;
    c.failingAlloc = k;
    ExpectSameBytes("allocation " + std::to_string(k), drawing, 2, c);
  }
  for (int k : {1, 2, readsMade / 2, readsMade - 1}) {
    TConditions c;
    c.readCap = 65521;
    c.failingRead = k;
    ExpectSameBytes("read " + std::to_string(k), drawing, 2, c);
  }
}

}  // namespace
