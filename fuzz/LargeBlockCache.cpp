// Keeps large heap blocks for reuse inside the libFuzzer programs only.
//
// The core allocates blocks of 4 KiB to 1 MiB for every file it reads or
// writes: a block of 1000 records for every kind of entity met, the read
// buffer, the pieces' buffers, the output lines. Under AddressSanitizer each
// such block is freed into its quarantine and the next one comes from memory
// not touched for a long time, or freshly mapped: the fuzzer spent about a
// third of its time filling and faulting in new pages. Here a freed block is
// poisoned by hand and kept; the next request of the same size gets it back
// unpoisoned. The sanitizer still catches an access past the end (its
// redzone stays) and an access after delete (the block is poisoned while it
// waits); a second delete aborts.
#include <sanitizer/allocator_interface.h>
#include <sanitizer/asan_interface.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <new>

namespace {

constexpr size_t kLargeBlock = size_t{4} << 10;
constexpr int kCacheSlots = 128;

struct Slot {
  void* block;
  size_t size;
  uint64_t keptAt;  // when it was kept: the oldest goes first when all are taken
};

std::mutex cacheLock;
Slot cache[kCacheSlots];
int cached = 0;
uint64_t kept = 0;

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

// Keeps `block`; when every slot is taken, the block kept longest ago is
// freed for it, so that sizes no longer asked for leave the cache.
void KeepCached(void* block, size_t size) {
  std::lock_guard<std::mutex> hold(cacheLock);
  int oldest = 0;
  for (int i = 0; i < cached; ++i) {
    if (cache[i].block == block) {
      std::fputs("LargeBlockCache: double delete of a large block\n", stderr);
      std::abort();
    }
    if (cache[i].keptAt < cache[oldest].keptAt) oldest = i;
  }
  if (cached == kCacheSlots) {
    std::free(cache[oldest].block);
    cache[oldest] = cache[--cached];
  }
  ASAN_POISON_MEMORY_REGION(block, size);
  cache[cached++] = {block, size, kept++};
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
  if (size >= kLargeBlock) {
    KeepCached(block, size);
    return;
  }
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
