// Keeps large heap blocks for reuse inside the libFuzzer programs only.
//
// The core allocates a few blocks of 128 KiB to 1 MiB for every file it reads
// or writes. Under AddressSanitizer each such block is mapped, its shadow
// poisoned and unmapped again on every input, which makes the fuzzer eight
// times slower. Here a freed large block is poisoned by hand and kept; the
// next request of the same size gets it back unpoisoned. The sanitizer still
// catches an access past the end (its redzone stays) and an access after
// delete (the block is poisoned while it waits); a second delete aborts.
#include <sanitizer/allocator_interface.h>
#include <sanitizer/asan_interface.h>

#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <new>

namespace {

constexpr size_t kLargeBlock = size_t{128} << 10;
constexpr int kCacheSlots = 64;

struct Slot {
  void* block;
  size_t size;
};

std::mutex cacheLock;
Slot cache[kCacheSlots];
int cached = 0;

void* TakeCached(size_t size) {
  std::lock_guard<std::mutex> hold(cacheLock);
  for (int i = 0; i < cached; ++i) {
    if (cache[i].size != size) continue;
    void* block = cache[i].block;
    cache[i] = cache[--cached];
    ASAN_UNPOISON_MEMORY_REGION(block, size);
    return block;
  }
  return nullptr;
}

bool KeepCached(void* block, size_t size) {
  std::lock_guard<std::mutex> hold(cacheLock);
  for (int i = 0; i < cached; ++i) {
    if (cache[i].block == block) {
      std::fputs("LargeBlockCache: double delete of a large block\n", stderr);
      std::abort();
    }
  }
  if (cached == kCacheSlots) return false;
  ASAN_POISON_MEMORY_REGION(block, size);
  cache[cached++] = {block, size};
  return true;
}

void* Allocate(size_t size) {
  if (size >= kLargeBlock) {
    if (void* block = TakeCached(size)) return block;
  }
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  return block;
}

void Release(void* block) noexcept {
  if (block == nullptr) return;
  size_t size = __sanitizer_get_allocated_size(block);
  if (size >= kLargeBlock && KeepCached(block, size)) return;
  std::free(block);
}

}  // namespace

void* operator new(size_t size) {
  return Allocate(size);
}
void* operator new[](size_t size) {
  return Allocate(size);
}
void* operator new(size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void* operator new[](size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
void operator delete(void* block) noexcept {
  Release(block);
}
void operator delete[](void* block) noexcept {
  Release(block);
}
void operator delete(void* block, size_t) noexcept {
  Release(block);
}
void operator delete[](void* block, size_t) noexcept {
  Release(block);
}
void operator delete(void* block, const std::nothrow_t&) noexcept {
  Release(block);
}
void operator delete[](void* block, const std::nothrow_t&) noexcept {
  Release(block);
}
