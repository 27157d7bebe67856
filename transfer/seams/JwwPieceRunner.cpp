// The piece runner: a ring of slots under one mutex. The calling thread
// keeps the ring full (producing is cheap, and a waiting piece is work the
// helper can take), finishes the oldest piece as soon as it is prepared,
// otherwise prepares the oldest waiting piece itself, and waits only when the
// helper holds the piece it needs next. The helper, too, only ever prepares
// the oldest waiting piece (the rule the header's waiting argument rests on).
// So the calling thread does the ordered work and as much of the rest as it
// has time for, and the two threads share the work however its parts weigh.
//
// The helper is one thread for the whole program (THelperThread): started by
// the first run that wants it, then lent to each run and taken back at its
// end, so that a run pays for a thread start once, not every time (a run of
// the tool reads and writes; a fuzzer runs millions of times).
#include "transfer/seams/JwwPieceRunner.h"

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>
#include <utility>

bool jwwUseSecondThread = true;
TJwwHelperForTests jwwHelperForTests;
std::atomic<int64_t> jwwPiecesPreparedByHelper{0};

namespace {

enum class TSlotState { empty, waiting, preparing, prepared };

class TPieceRunner;

// The program's helper thread, lent to one runner at a time. It is never
// joined: between runs it waits on its condition, holding nothing, and the
// system ends it with the process (the object is never destroyed, so the
// condition it waits on outlives every other part of the program).
class THelperThread {
 public:
  // Hands `runner` to the helper, starting the thread on first use. False
  // when no thread can be started; the next run tries again.
  bool Lend(TPieceRunner& runner) {
    std::lock_guard lock(mutex_);
    if (!started_) {
      try {
        std::thread(&THelperThread::Loop, this).detach();
      } catch (...) {
        return false;
      }
      started_ = true;
    }
    lent_ = &runner;
    changed_.notify_all();
    return true;
  }

  // Takes the runner back, once its helper loop has been told to stop: when
  // this returns, the helper no longer touches it. A runner the helper has
  // not taken yet is withdrawn.
  void TakeBack() {
    std::unique_lock lock(mutex_);
    lent_ = nullptr;
    changed_.wait(lock, [&] { return working_ == nullptr; });
  }

 private:
  void Loop();

  std::mutex mutex_;
  std::condition_variable changed_;
  bool started_ = false;
  TPieceRunner* lent_ = nullptr;     // handed over, not yet taken
  TPieceRunner* working_ = nullptr;  // the runner the helper is working in
};

// The one helper thread of the program, created on first use.
THelperThread& Helper() {
  static THelperThread* const helper = new THelperThread;
  return *helper;
}

class TPieceRunner {
 public:
  explicit TPieceRunner(TJwwPieceWork& work) : work_(work) {}
  ~TPieceRunner() { StopHelper(); }

  // The helper's part, on the helper thread: prepares the oldest waiting
  // piece whenever there is one, until the run stops.
  void HelperLoop() {
    std::unique_lock lock(mutex_);
    helperUp_ = true;
    changed_.notify_one();
    while (!stopping_) {
      if (const int slot = TakeOldestWaiting(); slot >= 0) {
        lock.unlock();
        Prepare(slot);
        jwwPiecesPreparedByHelper.fetch_add(1, std::memory_order_relaxed);
        lock.lock();
        state_[slot] = TSlotState::prepared;
        changed_.notify_one();
      } else {
        changed_.wait(lock);
      }
    }
  }

  void Run() {
    std::unique_lock lock(mutex_);
    bool sourceLeft = true;
    for (;;) {
      StartHelperOnceUseful(lock);
      const int next = static_cast<int>(finished_ % kJwwPieceSlots);
      if (sourceLeft && produced_ - finished_ < kJwwPieceSlots) {
        const int slot = static_cast<int>(produced_ % kJwwPieceSlots);
        lock.unlock();
        sourceLeft = work_.Produce(slot);
        lock.lock();
        if (sourceLeft) {
          state_[slot] = TSlotState::waiting;
          ++produced_;
          changed_.notify_one();
        }
      } else if (finished_ < produced_ && state_[next] == TSlotState::prepared) {
        lock.unlock();
        if (failure_[next]) std::rethrow_exception(failure_[next]);
        const bool goOn = work_.Finish(next);
        lock.lock();
        state_[next] = TSlotState::empty;
        ++finished_;
        if (!goOn) return;
      } else if (const int slot = TakeOldestWaiting(); slot >= 0) {
        lock.unlock();
        Prepare(slot);
        lock.lock();
        state_[slot] = TSlotState::prepared;
      } else if (finished_ == produced_) {
        return;  // nothing left to produce, prepare or finish
      } else {
        changed_.wait(lock);  // the helper is preparing the next piece
      }
    }
  }

 private:
  // The oldest piece that waits to be prepared, now marked as taken; -1 when
  // there is none. Called with the mutex held.
  int TakeOldestWaiting() {
    for (int64_t piece = finished_; piece < produced_; ++piece) {
      const int slot = static_cast<int>(piece % kJwwPieceSlots);
      if (state_[slot] == TSlotState::waiting) {
        state_[slot] = TSlotState::preparing;
        return slot;
      }
    }
    return -1;
  }

  // Prepares `slot`, keeping a failure for the moment its piece is finished.
  void Prepare(int slot) {
    try {
      work_.Prepare(slot);
    } catch (...) {
      failure_[slot] = std::current_exception();
    }
  }

  // Called with the mutex held in `lock`; the helper starts waiting for it.
  // When the test switch forces the helper on, the calling thread waits until
  // the helper is up, so that even a job of two pieces finds it ready.
  void StartHelperOnceUseful(std::unique_lock<std::mutex>& lock) {
    if (helperTried_ || !jwwUseSecondThread || produced_ - finished_ < 2 ||
        !(jwwHelperForTests.forced || work_.WorthASecondThread())) {
      return;
    }
    helperTried_ = true;
    lock.unlock();
    helperLent_ = Helper().Lend(*this);  // else the calling thread does all the work
    lock.lock();
    if (helperLent_ && jwwHelperForTests.forced) changed_.wait(lock, [&] { return helperUp_; });
  }

  void StopHelper() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    if (helperLent_) Helper().TakeBack();
  }

  TJwwPieceWork& work_;
  std::mutex mutex_;
  std::condition_variable changed_;
  TSlotState state_[kJwwPieceSlots] = {};
  std::exception_ptr failure_[kJwwPieceSlots];
  int64_t produced_ = 0;
  int64_t finished_ = 0;
  bool stopping_ = false;
  bool helperTried_ = false;
  bool helperLent_ = false;  // calling thread only
  bool helperUp_ = false;    // the helper has taken the mutex once
};

void THelperThread::Loop() {
  std::unique_lock lock(mutex_);
  for (;;) {
    changed_.wait(lock, [&] { return lent_ != nullptr; });
    TPieceRunner* const runner = std::exchange(lent_, nullptr);
    working_ = runner;
    lock.unlock();
    runner->HelperLoop();
    lock.lock();
    working_ = nullptr;
    changed_.notify_all();
  }
}

}  // namespace

void JwwRunPieces(TJwwPieceWork& work) {
  TPieceRunner runner(work);
  runner.Run();
}
