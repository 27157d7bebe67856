// A growable list of fixed-layout records held in blocks of 1000.
//
// Capacity follows the store's growth rule: when an append makes the count
// 1, 1001, 2001, ... the capacity becomes count + 999. Each step adds one new
// block, left as the allocator gives it: a record is zero-filled when it is
// appended, so a small drawing never touches (or pages in) the rest of its
// blocks. Records already stored are never moved or copied, so an append
// costs O(1) and an index stays valid for the life of the list.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "transfer/seams/JwwSeams.h"

// The count of a block list, apart from its record type, so that a table can
// count the records of lists of every type alike.
class TJwwRecordCount {
 public:
  int32_t Count() const { return count_; }

 protected:
  int32_t count_ = 0;
};

template <class T>
class TJwwBlockList : public TJwwRecordCount {
 public:
  static constexpr int32_t kBlockRecords = 1000;

  int64_t Capacity() const { return static_cast<int64_t>(blocks_.size()) * kBlockRecords; }

  T& operator[](int32_t i) { return blocks_[i / kBlockRecords][i % kBlockRecords]; }
  const T& operator[](int32_t i) const { return blocks_[i / kBlockRecords][i % kBlockRecords]; }

  // Appends one zero-filled record and returns it. Throws std::bad_alloc when
  // memory runs out; the list is then unchanged.
  T& Append() {
    if (count_ % kBlockRecords == 0 &&
        count_ / kBlockRecords == static_cast<int32_t>(blocks_.size())) {
      JwwAskBlockAllocSeam();
      ReserveForOneMore(blocks_);
      blocks_.emplace_back(new T[kBlockRecords]);
    }
    T& record = (*this)[count_++];
    record = T{};
    return record;
  }

  // Takes back the last Append (its slot is kept for the next one). Lets a
  // caller undo an append whose companion step failed.
  void DropLast() {
    if (count_ > 0) --count_;
  }

  // Count 0 and all storage released.
  void Clear() {
    blocks_.clear();
    blocks_.shrink_to_fit();
    count_ = 0;
  }

  // Storage released; the count is left as it was (nothing may index the list
  // afterwards).
  void Release() {
    blocks_.clear();
    blocks_.shrink_to_fit();
  }

 private:
  std::vector<std::unique_ptr<T[]>> blocks_;
};
