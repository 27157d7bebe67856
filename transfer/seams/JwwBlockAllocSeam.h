// The allocation of large blocks: the fault seam asked before each one, and
// the room made beforehand for the pointer that will hold it.
#pragma once

#include <new>

// Fault seam for the block storage: when set, it is asked before every new
// block is allocated, and a true answer fails the allocation with
// std::bad_alloc, as if memory ran out. Besides the store and the output
// lines (calling thread), the pieces of the reader and of the output pass ask
// it before their large buffers grow (a piece's bytes and tokens, the
// rendered command lines), on whichever thread prepares them
// (JwwPieceRunner.h): a seam that a test installs may be asked from both
// threads at once and must be safe for that. Set it only while no pieces run.
extern bool (*jwwBlockAllocFails)();

// Asks the seam before a block is allocated: throws std::bad_alloc when it
// says the allocation fails.
inline void JwwAskBlockAllocSeam() {
  if (jwwBlockAllocFails && jwwBlockAllocFails()) throw std::bad_alloc();
}

// Makes room for one more element of a table of block pointers before the
// block is allocated, so that appending it cannot fail and leak the block.
// Grows geometrically: appends stay O(1) however many blocks there are.
template <class Vector>
void ReserveForOneMore(Vector& v) {
  if (v.size() == v.capacity()) v.reserve(v.size() * 2 + 16);
}
