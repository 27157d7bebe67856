// The core on two threads against the core on one: the same saved bytes, the
// same read result and the same progress reports, for every fuzz corpus file
// and for generated drawings, with the helper forced on at any size and
// pieces of odd sizes, read whole and in odd reads, cut short, with
// end-of-file marks, with lines longer than a piece, with Escape pressed, and
// with memory or reads failing part way; and "hq" whenever anything inside
// the run throws.
#include <gtest/gtest.h>
#include <sys/syscall.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>
#include <thread>
#include <vector>

#include "bench/SyntheticDrawing.h"
#include "flip/ConfirmedRun.h"
#include "fuzz/MemoryFolder.h"
#include "tests/robustness/RestoreFileOps.h"
#include "tests/robustness/RunConditions.h"
#include "tests/robustness/StoreChecks.h"
#include "tests/robustness/TempFolder.h"
#include "transfer/JwwGaibu.h"
#include "transfer/seams/JwwPieceRunner.h"

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

// Which way a run goes: on the calling thread alone, on two threads as the
// tool runs (the helper starts once the work is large enough), or with the
// helper forced on at any size and the given piece sizes (0: the usual).
struct TWay {
  bool twoThreads;
  TJwwHelperForTests helper;
};
const TWay kOneThread{false, {}};
const TWay kTwoThreads{true, {}};

// Odd piece sizes, so that the edges where reads stop fall inside Shift-JIS
// pairs, CR LF pairs, long lines and end-of-file marks, and the output pass
// hands over every few entities.
TWay Forced(size_t readPieceBytes, int32_t entitiesPerPiece) {
  return {true, {true, readPieceBytes, entitiesPerPiece}};
}

// Where a thrown fault is injected: the k-th read, or the k-th question to
// the block fault seam, made on the helper thread or on the calling thread.
enum class TSeam { read, alloc };
struct TThrow {
  TSeam seam = TSeam::read;
  bool onHelper = true;
  int k = 0;  // 0: nothing is thrown
};
struct TInjectedFault {};

// How a run is disturbed: reads of at most `readCap` bytes (0: no limit),
// read `failingRead` failing, block allocation `failingAlloc` failing, Escape
// down at poll `escapeAt`, a fault thrown as `thrown` says (0: none of
// these). Reads and allocations are counted over both threads. With
// `slowFirstHelperRead` the helper's first read of the run takes a while.
struct TConditions {
  size_t readCap = 0;
  int failingRead = 0;
  int failingAlloc = 0;
  int escapeAt = 0;
  TThrow thrown;
  bool slowFirstHelperRead = false;
};

// Undisturbed but for reads of at most `cap` bytes.
TConditions ReadsOf(size_t cap) {
  TConditions c;
  c.readCap = cap;
  return c;
}

const std::string kPath = "JWC_TEMP.TXT";

// Set before a run, read by both threads during it.
TConditions conditions;
std::thread::id callingThread;
long long (*memoryRead)(TJwwFile, char*, size_t) = nullptr;
// Counted by both threads.
std::atomic<int> reads{0};
std::atomic<int> allocations{0};
std::atomic<int> seamCalls[2][2];  // by seam, and whether on the helper
std::atomic<bool> faultThrown{false};

// The kernel's number of the first thread seen reading for the helper, and
// whether another one ever did: the kernel numbers every new thread anew.
std::atomic<long> helperThread{0};
std::atomic<bool> anotherHelperThread{false};

void NoteHelperThread() {
  const long self = syscall(SYS_gettid);
  long first = 0;
  if (!helperThread.compare_exchange_strong(first, self) && first != self) {
    anotherHelperThread = true;
  }
}

// Throws the injected fault when this is the chosen call of `seam`.
void MaybeThrow(TSeam seam) {
  const TThrow& t = conditions.thrown;
  const bool onHelper = std::this_thread::get_id() != callingThread;
  if (onHelper) NoteHelperThread();
  const int call = ++seamCalls[static_cast<int>(seam)][onHelper];
  if (t.k != 0 && t.seam == seam && t.onHelper == onHelper && call == t.k) {
    faultThrown = true;
    throw TInjectedFault();
  }
}

long long DisturbedRead(TJwwFile file, char* buffer, size_t size) {
  MaybeThrow(TSeam::read);
  if (conditions.slowFirstHelperRead && std::this_thread::get_id() != callingThread &&
      seamCalls[static_cast<int>(TSeam::read)][true] == 1) {
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  if (++reads == conditions.failingRead) return -1;
  return memoryRead(file, buffer, size);
}

bool DisturbedAllocation() {
  MaybeThrow(TSeam::alloc);
  return ++allocations == conditions.failingAlloc;
}

// The window's confirmed run on `input` under `c`, the way `way` says, in the
// memory folder. An injected fault, on either thread, must end inside the
// run as "hq"; one that escaped would fail the test.
TOutcome RunCore(const std::string& input, int32_t flipType, const TConditions& c,
                 const TWay& way) {
  TRestoreFileOps restore;
  InstallMemoryFolder();
  MemoryFiles() = {{kPath, input}};
  SetMemoryReadChunk(c.readCap);
  memoryRead = jwwFileOps.read;
  conditions = c;
  callingThread = std::this_thread::get_id();
  reads = allocations = 0;
  for (auto& bySeam : seamCalls)
    for (auto& count : bySeam) count = 0;
  faultThrown = false;
  jwwFileOps.read = DisturbedRead;
  jwwBlockAllocFails = DisturbedAllocation;
  jwwUseSecondThread = way.twoThreads;
  jwwHelperForTests = way.helper;
  TRecordingProgress progress(c.escapeAt);
  // The phases of a whole run; an injected fault must not come out of them.
  OpenTransferFile(kPath);
  RunConfirmedFlip(flipType, progress);
  jwwHelperForTests = {};
  jwwUseSecondThread = true;
  jwwBlockAllocFails = nullptr;
  ExpectSoundStore();
  CloseTransferFile(kPath);
  TOutcome outcome{jwwReadResult, MemoryFiles()[kPath], progress.log};
  MemoryFiles().clear();
  return outcome;
}

// Runs `input` on one thread and the way `two` says and expects the same
// outcome.
void ExpectSameBytes(const std::string& name, const std::string& input, int32_t flipType,
                     const TConditions& c, const TWay& two) {
  const TOutcome one = RunCore(input, flipType, c, kOneThread);
  const TOutcome other = RunCore(input, flipType, c, two);
  EXPECT_EQ(one.read, other.read) << name;
  EXPECT_EQ(one.progress, other.progress) << name;
  EXPECT_TRUE(one.saved == other.saved) << name << ": the saved files differ (" << one.saved.size()
                                        << " and " << other.saved.size() << " bytes)";
}

// Counts the pieces the helper prepares while it lives.
class THelperPieces {
 public:
  int64_t Count() const { return jwwPiecesPreparedByHelper - start_; }

 private:
  int64_t start_ = jwwPiecesPreparedByHelper;
};

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

// Every corpus file in every variant, handed out whole and in reads of 1 and
// 7 bytes, with the helper forced on and pieces of 1 to 61 bytes and of 1 to
// 7 entities, against one thread.
TEST(SameBytes, EveryCorpusFileWithTheHelperForcedOn) {
  const size_t readPieceBytes[] = {1, 2, 3, 5, 7, 13, 61};
  const std::vector<size_t> readCaps =
      QuickRun() ? std::vector<size_t>{0, 7} : std::vector<size_t>{0, 1, 7};
  const THelperPieces helper;
  int run = 0;
  for (const std::string& path : CorpusFiles()) {
    const std::string name = std::filesystem::path(path).filename().string();
    for (const auto& [variant, input] : Variants(ReadBytes(path))) {
      for (size_t cap : readCaps) {
        const TWay way = Forced(readPieceBytes[run % 7], 1 + run % 7);
        ExpectSameBytes(name + ", " + variant + ", reads of " + std::to_string(cap) +
                            ", pieces of " + std::to_string(way.helper.readPieceBytes),
                        input, run % 4, ReadsOf(cap), way);
        ++run;
      }
    }
  }
  EXPECT_GT(helper.Count(), 0) << "the helper never prepared a piece";
  EXPECT_FALSE(anotherHelperThread) << "one helper thread serves every run";
  std::printf("the helper prepared %lld pieces in %d runs\n",
              static_cast<long long>(helper.Count()), run);
}

TEST(SameBytes, GeneratedDrawingsWithLinesAcrossEveryPieceEdge) {
  const int32_t entities = QuickRun() ? 5000 : 40000;
  const struct {
    size_t readCap;
    TWay way;
  } cases[] = {{0, kTwoThreads}, {4093, Forced(1021, 7)}, {65521, Forced(4099, 333)}};
  const THelperPieces helper;
  for (uint64_t seed : {1, 2}) {
    const std::string drawing = Drawing(entities, seed);
    for (const auto& [variant, input] : Variants(drawing)) {
      for (const auto& c : cases) {
        ExpectSameBytes(variant + ", reads of " + std::to_string(c.readCap) + ", pieces of " +
                            std::to_string(c.way.helper.readPieceBytes),
                        input, static_cast<int32_t>(seed), ReadsOf(c.readCap), c.way);
      }
    }
  }
  EXPECT_GT(helper.Count(), 0) << "the helper never prepared a piece";
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
      ExpectSameBytes("reads of " + std::to_string(cap), input, 2, ReadsOf(cap), Forced(4093, 0));
    }
  }
}

TEST(SameBytes, EscapeAtEveryPollOfASmallDrawing) {
  const std::string drawing = Drawing(2500, 4);
  for (const TWay& way : {kTwoThreads, Forced(0, 7)}) {
    for (int poll = 1; poll <= 26; ++poll) {
      TConditions c;
      c.escapeAt = poll;
      ExpectSameBytes("Escape at poll " + std::to_string(poll), drawing, 1, c, way);
    }
  }
}

// Memory running out answers "hq" on either thread, at every block
// allocation a way reaches (the ways allocate differently, so each is run to
// its own count), and what follows an end-of-file mark costs no allocation
// on either way: reading ahead cannot fail where one thread would not. Reads
// fail alike on both ways.
TEST(SameBytes, EveryFailingBlockAllocationAndSomeFailingReads) {
  const std::string drawing = Drawing(QuickRun() ? 3000 : 12000, 5);
  const size_t middle = drawing.find('\n', drawing.size() / 2) + 1;
  const std::string upToMark = drawing.substr(0, middle) + "\x1A";
  const std::string emptyLines(300000, '\n');
  // Pairs that differ only after the mark: read to the end, and not.
  const std::pair<std::string, std::string> afterTheMark[] = {
      {upToMark, upToMark + emptyLines},
      {upToMark + "x", upToMark + emptyLines + drawing.substr(middle)}};
  for (const TWay& way : {kOneThread, Forced(4093, 97)}) {
    for (const auto& [shorter, longer] : afterTheMark) {
      RunCore(shorter, 2, ReadsOf(65521), way);
      const int allocationsToMark = allocations;
      RunCore(longer, 2, ReadsOf(65521), way);
      EXPECT_EQ(allocations, allocationsToMark) << "allocations after the end-of-file mark";
    }

    RunCore(drawing, 2, ReadsOf(65521), way);
    const int allocationsMade = allocations;
    ASSERT_GT(allocationsMade, 10);
    for (int k = 1; k <= allocationsMade; ++k) {
      TConditions c;
      c.readCap = 65521;
      c.failingAlloc = k;
      EXPECT_EQ(RunCore(drawing, 2, c, way).saved, "hq\r\n")
          << "allocation " << k << (way.twoThreads ? " on two threads" : " on one");
    }
  }
  RunCore(drawing, 2, ReadsOf(65521), kOneThread);
  const int readsMade = reads;
  for (int k : {1, 2, readsMade / 2, readsMade - 1}) {
    TConditions c;
    c.readCap = 65521;
    c.failingRead = k;
    ExpectSameBytes("read " + std::to_string(k), drawing, 2, c, Forced(4093, 97));
  }
}

// An exception thrown anywhere inside the run (a read or a block allocation,
// on the helper thread or on the calling one, for every k-th call it
// reaches) answers "hq", and a run in which the chosen call never came
// answers as usual. Which calls fall to the helper varies from run to run, so
// k runs on until several in a row never came. The helper, forced on, takes
// the first piece the moment it is up; a helper that is quick, or a calling
// thread that wakes late, could leave the calling thread no piece to read.
// So the helper's first read is slowed, and meanwhile the calling thread,
// finding the first piece taken, takes the second.
TEST(SameBytes, AnExceptionAnywhereInTheRunAnswersHq) {
  const std::string drawing = Drawing(QuickRun() ? 6000 : 20000, 6);
  const TWay way = Forced(0, 97);
  const std::string normal = RunCore(drawing, 0, {}, way).saved;
  ASSERT_EQ(normal.substr(0, 4), "hd\r\n");
  for (TSeam seam : {TSeam::read, TSeam::alloc}) {
    for (bool onHelper : {true, false}) {
      int thrown = 0;
      for (int k = 1, missed = 0; missed < 8; ++k) {
        TConditions c;
        c.thrown = {seam, onHelper, k};
        c.slowFirstHelperRead = seam == TSeam::read && !onHelper;
        const std::string saved = RunCore(drawing, 0, c, way).saved;
        if (faultThrown) {
          ++thrown;
          missed = 0;
          EXPECT_EQ(saved, "hq\r\n") << "call " << k << (onHelper ? " on the helper" : "");
        } else {
          ++missed;
          EXPECT_TRUE(saved == normal) << "call " << k << " never came";
        }
      }
      EXPECT_GT(thrown, 0) << (seam == TSeam::read ? "reads" : "allocations")
                           << (onHelper ? " on the helper" : " on the calling thread");
    }
  }
}

}  // namespace
