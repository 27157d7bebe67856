// Memory running out while reading: every block allocation that a read makes
// is failed in turn through the block storage's fault seam.
#include <gtest/gtest.h>

#include <atomic>
#include <string>

#include "tests/robustness/PipelineRun.h"
#include "tests/robustness/StoreChecks.h"
#include "tests/robustness/TempFolder.h"
#include "transfer/JwwGaibu.h"

namespace {

// The pieces of the reader and the output pass may ask the seam on the
// helper thread: the count is shared by both threads.
std::atomic<int> allocations{0};
int failAt = 0;  // 0: none fails; set while no pieces run

bool CountedAllocationFails() {
  return ++allocations == failAt;
}

// Every kind well past its first block of 1000 records, and texts enough to
// need a second chunk of the text arena.
std::string EveryKindPastOneBlock() {
  std::string file;
  for (int i = 0; i < 1100; ++i) {
    file +=
        "0 0 10 10\r\nci 0 0 5\r\nci 0 0 5 0 1 1 0\r\npt 1 2\r\npt 1 2 3 4 5\r\n"
        "msg\r\n0 0 1 1\r\ncs 0 0 1 0 \"x\r\nBL 0 0 name\r\nsl 0 0 1 1\r\nsl 0 0 1 0 1 1\r\n"
        "sl 0 0 1 0 1 1 0 1\r\nsc 1 2 3 4 5 6 7 0\r\nse 1 2 3 4 5 6 7 0\r\n"
        "so 1 2 3 4 5 6 7 1\r\nsg 1 2 3 4 5 6 7 1\r\n";
    file += "ch 1 2 1 0 \"" + std::string(250, 'a' + i % 26) + "\r\n";
  }
  return file;
}

TEST(AllocationFaults, EachFailedAllocationEndsTheReadIncompleteWithASoundStore) {
  TTempFolder folder;
  const std::string path = folder.Path("JWC_TEMP.TXT");
  WriteBytes(path, EveryKindPastOneBlock());

  JwwInit();
  allocations = 0;
  failAt = 0;
  jwwBlockAllocFails = CountedAllocationFails;
  ASSERT_TRUE(JwwReadFile(path));
  const int reached = allocations;
  const int32_t entities = entityOrder.Count();
  ASSERT_GE(reached, 2 * kJwwKindCount) << "every kind should need a second block";

  for (int k = 1; k <= reached; ++k) {
    SCOPED_TRACE("allocation " + std::to_string(k) + " of " + std::to_string(reached) + " fails");
    JwwInit();
    allocations = 0;
    failAt = k;
    EXPECT_FALSE(JwwReadFile(path));
    EXPECT_EQ(jwwReadResult, jrIncomplete);
    EXPECT_LT(entityOrder.Count(), entities);
    ExpectSoundStore();
  }
  jwwBlockAllocFails = nullptr;
  JwwInit();
}

// Opens `path`, then runs the confirmed run with block allocation `k` failing
// (0: none) and closes; the run must say that memory ran out. Returns the
// allocations made.
int PassWithFailingAllocation(const std::string& path, int k) {
  EXPECT_TRUE(OpenTransferFile(path));
  allocations = 0;
  failAt = k;
  jwwBlockAllocFails = CountedAllocationFails;
  TJwwSilentProgress progress;
  const TRunOutcome outcome = RunConfirmedFlip(ftLeftRight, progress);
  jwwBlockAllocFails = nullptr;
  EXPECT_EQ(outcome, k == 0 ? TRunOutcome::answered : TRunOutcome::outOfMemory);
  EXPECT_TRUE(CloseTransferFile(path));
  return allocations;
}

TEST(AllocationFaults, MemoryRunningOutInTheOutputPassLeavesHq) {
  TTempFolder folder;
  const std::string path = folder.Path("JWC_TEMP.TXT");
  std::string input;
  for (int i = 0; i < 4; ++i) input += EveryKindPastOneBlock();
  WriteBytes(path, input);
  const int reached = PassWithFailingAllocation(path, 0);
  ASSERT_GE(reached, 2) << "the output should need several chunks";

  for (int k = 1; k <= reached; ++k) {
    SCOPED_TRACE("allocation " + std::to_string(k) + " of " + std::to_string(reached) + " fails");
    WriteBytes(path, input);
    PassWithFailingAllocation(path, k);
    EXPECT_EQ(ReadBytes(path), "hq\r\n") << "a partial pass must not reach the host";
  }
  JwwInit();
}

}  // namespace
