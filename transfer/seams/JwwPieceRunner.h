// Work cut into pieces that are prepared on either of two threads and then
// finished one by one, in order, on the calling thread: the reader and the
// output pass use it to put the second processor core to work. Whatever
// depends on the order (the store, the attribute state, the output lines, the
// progress and the Escape key) stays on the calling thread; only the
// preparing moves.
//
// Who may touch what, and who waits on whom:
// - The calling thread runs JwwRunPieces and alone calls Produce, Finish and
//   WorthASecondThread; it also prepares pieces when it has nothing to finish.
//   The helper thread only ever calls Prepare.
// - Pieces are handed out for preparing oldest first, by both threads, and
//   each thread prepares one piece at a time. So the oldest piece under
//   preparation has every earlier piece prepared, and a Prepare that waits
//   only on earlier Prepares (the reader's read turn, JwwReadInPieces.cpp)
//   always has the one it waits on running or done: neither thread can wait
//   for the other in a circle.
// - The runner's own state (the slots' states, the counts, the failures) is
//   under its mutex. The calling thread waits on it only when the piece it
//   must finish next is being prepared by the helper; the helper waits on it
//   only when no piece waits to be prepared.
// - A slot belongs to the thread that prepares it from hand-out until it is
//   marked prepared (under the mutex), then to the calling thread until it is
//   finished; Produce fills an empty slot. The mutex orders each hand-over.
// - Prepare touches its own slot, reads only data that no Finish changes
//   (the output pass reads the records of the store, which its Finish leaves
//   alone), and shares other state only with other Prepares, in an order the
//   work keeps itself (the reader's read turn). Finish touches its slot and
//   everything that follows the order of the pieces.
#pragma once

#include <atomic>
#include <cstddef>
#include <cstdint>

// Whether the reader and the output pass use a second thread. Off, they run
// on the calling thread alone, as they always may; the bytes written are the
// same either way.
extern bool jwwUseSecondThread;

// A switch for tests: with `forced`, the helper starts as soon as two pieces
// wait, whatever the size of the work (WorthASecondThread is not asked), and
// the calling thread waits until it is up, so that small inputs run on both
// threads too; nonzero sizes replace the usual piece sizes, so that pieces
// end at odd places. Off by default; set only while no pieces run.
struct TJwwHelperForTests {
  bool forced = false;
  size_t readPieceBytes = 0;     // bytes the reader reads for each piece
  int32_t entitiesPerPiece = 0;  // entities in each piece of the output pass
};
extern TJwwHelperForTests jwwHelperForTests;

// Pieces the helper thread has prepared since the program started, so that a
// test can tell that the helper ran.
extern std::atomic<int64_t> jwwPiecesPreparedByHelper;

// How much work the pieces and a second thread pay for: the reader's bytes,
// the output pass's entities (about those of a megabyte of a drawing).
// Every run of the tool is the first of a fresh process, in which the
// thread must be started and the pieces must be given fresh memory; below
// about a megabyte that costs more than the thread saves, and the work runs
// on the calling thread alone, as without jwwUseSecondThread (jwwbench, the
// first run at 10,000 and 20,000 entities: docs/performance.md).
constexpr uint64_t kJwwSecondThreadBytes = uint64_t{1} << 20;
constexpr int32_t kJwwSecondThreadEntities = 20000;

// Whether work of `size` goes to the pieces: with jwwUseSecondThread, from
// `payingSize` on, or always while the test switch forces the helper on.
// A size below 0 (not known) counts as large.
inline bool JwwPiecesPayFor(int64_t size, int64_t payingSize) {
  return jwwUseSecondThread && (jwwHelperForTests.forced || size < 0 || size >= payingSize);
}

// How many pieces may be under way at once: produced and not yet finished.
// Two threads keep four busy (one finishing, one or two being prepared, one
// waiting); each slot keeps its buffers, so more would only hold more memory
// that a fresh process must first be given.
constexpr int kJwwPieceSlots = 4;

// The alignment of a slot's data: a cache line, so that the two threads, at
// work on neighbouring slots, never write to the same line.
constexpr size_t kJwwSlotAlignment = 64;

// One kind of work. A piece lives in one of kJwwPieceSlots slots, which the
// work owns and may reuse from piece to piece.
class TJwwPieceWork {
 public:
  // On the calling thread: puts the next piece into `slot`. False when there
  // is none left (or the source failed; the work remembers which).
  virtual bool Produce(int slot) = 0;

  // On either thread, once per piece: prepares the piece in `slot` under the
  // rules above. It may wait for the Prepare of an earlier piece, never for a
  // later one nor for a Finish. Whatever it throws is kept and thrown again
  // by JwwRunPieces when the piece is next to be finished, and never if the
  // work ends before that.
  virtual void Prepare(int slot) = 0;

  // On the calling thread, in the order of production: applies the prepared
  // piece. False ends the work: no further piece is produced or finished.
  virtual bool Finish(int slot) = 0;

  // On the calling thread: whether the work has shown itself large enough
  // for a second thread to pay for its start. Small jobs stay on one thread.
  virtual bool WorthASecondThread() const = 0;

 protected:
  ~TJwwPieceWork() = default;
};

// Runs `work` until no piece is left and all are finished, or Finish says
// stop. With jwwUseSecondThread the helper thread prepares pieces too, lent
// to the work once two pieces are waiting and the work is worth it (if no
// thread can be started the calling thread does all). The helper is one
// thread for the whole program, started on first use and kept, waiting,
// between runs; a process forked after that has none, and its runs prepare
// every piece on the calling thread (with the test switch forced on they
// would wait for it forever). An exception thrown by Prepare on either thread
// comes out of this function when its piece is next to be finished; one
// thrown by Produce or Finish comes out at once. Either way the helper has
// left the work before this returns or throws, and everything it did is seen
// by the calling thread, so the caller may clean up whatever the pieces
// touched. One run at a time.
void JwwRunPieces(TJwwPieceWork& work);
