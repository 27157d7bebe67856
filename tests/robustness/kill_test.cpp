// A save killed at random moments: a child process saves a large output over
// an existing JWC_TEMP.TXT and is killed with SIGKILL; the file must then be
// either the old one or the complete new one, never a part of either.
#include <gtest/gtest.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <thread>

#include "tests/robustness/RunConditions.h"
#include "tests/robustness/TempFolder.h"
#include "transfer/JwwGaibu.h"

namespace {

using Clock = std::chrono::steady_clock;

// Output lines of about `bytes` bytes, texts among them.
void FillOutputLines(size_t bytes) {
  ClearOutputLines();
  AddOutputLine("hd");
  size_t filled = 0;
  for (int i = 0; filled < bytes; ++i) {
    std::string line = std::to_string(i) + " 12345.678901234 -2345.67890123456 34567.8901234567";
    AddOutputLine(line);
    AddOutputLine("ch 1 2 1 0 \"");
    AddOutputLine("\x95\xb6\x8e\x9a text");
    filled += line.size() + 30;
  }
}

struct ChildRun {
  bool killed;           // ended by our SIGKILL rather than by itself
  Clock::duration save;  // from the start of the save to the child's end
};

// Forks a child that saves the output lines over `path`; the parent waits
// until the save starts, then kills the child after `delay` (never when the
// delay is negative) and reaps it.
ChildRun SaveInChild(const std::string& path, Clock::duration delay) {
  int ready[2];
  if (pipe(ready) != 0) ADD_FAILURE() << "pipe failed";
  pid_t child = fork();
  if (child == 0) {
    close(ready[0]);
    char go = 's';
    if (write(ready[1], &go, 1) != 1) _exit(3);
    _exit(SaveOutputFile(path) ? 0 : 1);
  }
  close(ready[1]);
  char go;
  EXPECT_EQ(read(ready[0], &go, 1), 1);
  close(ready[0]);
  const Clock::time_point start = Clock::now();
  if (delay >= Clock::duration::zero()) {
    std::this_thread::sleep_for(delay);
    kill(child, SIGKILL);
  }
  int status = 0;
  waitpid(child, &status, 0);
  const bool killed = WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
  if (!killed) {
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << "the save failed";
  }
  return {killed, Clock::now() - start};
}

TEST(KillDuringSave, TheTransferFileIsAlwaysTheOldOrTheCompleteNewOne) {
  TTempFolder folder;
  const std::string path = folder.Path("JWC_TEMP.TXT");
  std::string oldBytes;
  while (oldBytes.size() < 2'000'000) oldBytes += "ch 100 50 1 0 \"old text\r\n0 0 10 10\r\n";

  JwwInit();
  FillOutputLines(QuickRun() ? 4'000'000 : 20'000'000);
  WriteBytes(path, oldBytes);
  const ChildRun full = SaveInChild(path, Clock::duration(-1));
  ASSERT_FALSE(full.killed);
  const std::string newBytes = ReadBytes(path);
  ASSERT_GT(newBytes.size(), oldBytes.size());

  const uint32_t seed = std::random_device()();
  SCOPED_TRACE("seed " + std::to_string(seed));
  std::mt19937 random(seed);
  // Moments from the start of the save to a little after its usual end.
  std::uniform_int_distribution<int64_t> moment(
      0, std::chrono::duration_cast<std::chrono::microseconds>(full.save * 6 / 5).count());
  int kills = 0, oldSeen = 0, newSeen = 0, leftovers = 0;
  for (int run = 0; kills < 60 && run < 600; ++run) {
    WriteBytes(path, oldBytes);
    const ChildRun r = SaveInChild(path, std::chrono::microseconds(moment(random)));
    kills += r.killed;
    const std::string now = ReadBytes(path);
    ASSERT_TRUE(now == oldBytes || now == newBytes)
        << "run " << run << ": JWC_TEMP.TXT holds " << now.size() << " bytes, a part";
    (now == oldBytes ? oldSeen : newSeen) += 1;
    // A killed save may leave its temporary file; the host never reads it.
    for (const std::string& name : folder.Names()) {
      if (name != "JWC_TEMP.TXT") {
        std::filesystem::remove(folder.Path(name));
        ++leftovers;
      }
    }
  }
  EXPECT_GE(kills, 60);
  EXPECT_GT(oldSeen, 0) << "no kill landed before the file was replaced";
  std::printf(
      "%d kills; old file %d times, new file %d times, %d temporary files left; "
      "a save takes %lld us\n",
      kills, oldSeen, newSeen, leftovers,
      static_cast<long long>(
          std::chrono::duration_cast<std::chrono::microseconds>(full.save).count()));
  JwwInit();
}

}  // namespace
