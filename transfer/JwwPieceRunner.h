// Work cut into pieces that are prepared on either of two threads and then
// finished one by one, in order, on the calling thread: the reader and the
// output pass use it to put the second processor core to work. Whatever
// depends on the order (the store, the attribute state, the output lines, the
// progress and the Escape key) stays on the calling thread; only the
// preparing, which touches nothing that the finishing changes, moves. (The
// reader's preparing reads the file, one piece after the other in file order,
// whichever thread it runs on.)
#pragma once

#include <cstddef>

// Whether the reader and the output pass use a second thread. Off, they run
// on the calling thread alone, as they always may; the bytes written are the
// same either way.
extern bool jwwUseSecondThread;

// How many pieces may be under way at once: produced and not yet finished.
constexpr int kJwwPieceSlots = 8;

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

  // On either thread: the piece's part that reads nothing that Finish
  // changes. Never runs for two slots on one thread at once, nor twice for
  // one piece. May throw (std::bad_alloc).
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
// stop. With jwwUseSecondThread a helper thread prepares pieces too, started
// once two pieces are waiting and the work is worth it (if it cannot be
// started the calling thread does all). An exception thrown by Prepare on
// either thread comes out of this function when its piece is next to be
// finished; one thrown by Produce or Finish comes out at once. Either way the
// helper thread has ended before this returns or throws.
void JwwRunPieces(TJwwPieceWork& work);
