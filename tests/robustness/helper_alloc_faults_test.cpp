// Memory running out on the helper thread: each allocation that the second
// thread makes is failed in turn, through the program's operator new. The
// run must end as memory running out ends on one thread: the answer "hq"
// (the read incomplete, or the output lines cleared), a sound store, nothing
// leaked, no crash.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdlib>
#include <new>
#include <string>
#include <thread>

#include "flip/ConfirmedRun.h"
#include "tests/robustness/EveryKindFile.h"
#include "tests/robustness/StoreChecks.h"
#include "tests/robustness/TempFolder.h"
#include "transfer/JwwGaibu.h"

namespace {

std::atomic<int> failAt{0};  // the helper's allocation that fails; 0: none
std::atomic<int> helperAllocations{0};
std::atomic<bool> failed{false};
std::thread::id testThread;

}  // namespace

// Every allocation of this program comes here; only those made off the
// test's own thread are counted, and the chosen one fails. The matching
// deletes free what malloc gave; GCC, seeing operator new and free meet once
// both are inlined, would take them for a mismatch.
#if defined(__GNUC__) && !defined(__clang__)
#pragma GCC diagnostic ignored "-Wmismatched-new-delete"
#endif
void* operator new(std::size_t size) {
  if (failAt.load() != 0 && std::this_thread::get_id() != testThread &&
      ++helperAllocations == failAt.load()) {
    failed = true;
    throw std::bad_alloc();
  }
  if (void* memory = std::malloc(size == 0 ? 1 : size)) return memory;
  throw std::bad_alloc();
}

void operator delete(void* memory) noexcept {
  std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept {
  std::free(memory);
}

namespace {

// The confirmed run on `input`: the saved bytes. A run that answers "hq"
// must say so, for the user to be told.
std::string SavedAnswer(const TTempFolder& folder, const std::string& input) {
  const std::string path = folder.Path("JWC_TEMP.TXT");
  WriteBytes(path, input);
  TJwwSilentProgress progress;
  OpenTransferFile(path);
  const TRunOutcome outcome = RunConfirmedFlip(2, progress);
  ExpectSoundStore();
  CloseTransferFile(path);
  const std::string saved = ReadBytes(path);
  EXPECT_EQ(EndedUnasked(outcome), saved == "hq\r\n");
  return saved;
}

TEST(HelperAllocationFaults, EachFailingAllocationOfTheHelperEndsInHq) {
  testThread = std::this_thread::get_id();
  TTempFolder folder;
  // Enough to start the helper in the reader and in the output pass.
  const std::string drawing = EveryKindTransferFile(700'000);
  const std::string normal = SavedAnswer(folder, drawing);
  ASSERT_EQ(normal.substr(0, 4), "hd\r\n");

  // The helper takes what pieces it finds free, so the allocations it makes
  // differ from run to run: a run in which the chosen one never came must
  // give the normal answer. The loop ends when several in a row never came.
  int injected = 0;
  for (int k = 1, missed = 0; missed < 20; ++k) {
    helperAllocations = 0;
    failed = false;
    failAt = k;
    const std::string saved = SavedAnswer(folder, drawing);
    failAt = 0;
    if (failed) {
      ++injected;
      missed = 0;
      EXPECT_EQ(saved, "hq\r\n") << "helper allocation " << k << " failed";
    } else {
      ++missed;
      EXPECT_TRUE(saved == normal) << "helper allocation " << k << " never came";
    }
  }
  EXPECT_GT(injected, 10);
}

}  // namespace
