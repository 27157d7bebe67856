// The piece runner: a ring of slots under one mutex. The calling thread
// keeps the ring full (producing is cheap, and a waiting piece is work the
// helper can take), finishes the oldest piece as soon as it is prepared,
// otherwise prepares the oldest waiting piece itself, and waits only when the
// helper holds the piece it needs next. The helper, too, only ever prepares
// the oldest waiting piece (the rule the header's waiting argument rests on).
// So the calling thread does the ordered work and as much of the rest as it
// has time for, and the two threads share the work however its parts weigh.
#include "transfer/seams/JwwPieceRunner.h"

#include <condition_variable>
#include <cstdint>
#include <exception>
#include <mutex>
#include <thread>

bool jwwUseSecondThread = true;
TJwwHelperForTests jwwHelperForTests;
std::atomic<int64_t> jwwPiecesPreparedByHelper{0};

namespace {

enum class TSlotState { empty, waiting, preparing, prepared };

class TPieceRunner {
 public:
  explicit TPieceRunner(TJwwPieceWork& work) : work_(work) {}
  ~TPieceRunner() { StopHelper(); }

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

  // Called with the mutex held in `lock`; the helper starts waiting for it.
  // When the test switch forces the helper on, the calling thread waits until
  // the helper is up, so that even a job of two pieces finds it ready.
  void StartHelperOnceUseful(std::unique_lock<std::mutex>& lock) {
    if (helperTried_ || !jwwUseSecondThread || produced_ - finished_ < 2 ||
        !(jwwHelperForTests.forced || work_.WorthASecondThread())) {
      return;
    }
    helperTried_ = true;
    try {
      helper_ = std::thread(&TPieceRunner::HelperLoop, this);
    } catch (...) {
      return;  // no thread to be had: the calling thread does all the work
    }
    if (jwwHelperForTests.forced) changed_.wait(lock, [&] { return helperUp_; });
  }

  void StopHelper() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    changed_.notify_all();
    if (helper_.joinable()) helper_.join();
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
  bool helperUp_ = false;  // the helper has taken the mutex once
  std::thread helper_;
};

}  // namespace

void JwwRunPieces(TJwwPieceWork& work) {
  TPieceRunner runner(work);
  runner.Run();
}
