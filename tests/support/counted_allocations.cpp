#include "support/counted_allocations.h"

#include <cstdlib>
#include <new>

#if defined(_WIN32)
#include <malloc.h>
#define CHATSIEVE_EXPORTED
#define CHATSIEVE_BLOCK_SIZE _msize
#else
#include <malloc.h>
#define CHATSIEVE_EXPORTED __attribute__((visibility("default")))
#define CHATSIEVE_BLOCK_SIZE malloc_usable_size
#endif

namespace chatsieve::testing {

CountedAllocations& Allocations() {
  static CountedAllocations counts;
  return counts;
}

}  // namespace chatsieve::testing

namespace {

void* Allocate(std::size_t size) {
  void* block = std::malloc(size == 0 ? 1 : size);
  if (block == nullptr) throw std::bad_alloc();
  chatsieve::testing::CountedAllocations& counts = chatsieve::testing::Allocations();
  ++counts.live;
  const size_t now = counts.live_bytes += CHATSIEVE_BLOCK_SIZE(block);
  size_t peak = counts.peak_bytes.load();
  while (now > peak && !counts.peak_bytes.compare_exchange_weak(peak, now)) {
  }
  return block;
}

void Release(void* block) {
  if (block == nullptr) return;
  chatsieve::testing::CountedAllocations& counts = chatsieve::testing::Allocations();
  --counts.live;
  counts.live_bytes -= CHATSIEVE_BLOCK_SIZE(block);
  std::free(block);
}

}  // namespace

CHATSIEVE_EXPORTED void* operator new(std::size_t size) {
  return Allocate(size);
}
CHATSIEVE_EXPORTED void* operator new[](std::size_t size) {
  return Allocate(size);
}
CHATSIEVE_EXPORTED void* operator new(std::size_t size, const std::nothrow_t&) noexcept {
  try {
    return Allocate(size);
  } catch (...) {
    return nullptr;
  }
}
CHATSIEVE_EXPORTED void* operator new[](std::size_t size, const std::nothrow_t&) noexcept {
  return operator new(size, std::nothrow);
}
CHATSIEVE_EXPORTED void operator delete(void* block) noexcept {
  Release(block);
}
CHATSIEVE_EXPORTED void operator delete[](void* block) noexcept {
  Release(block);
}
CHATSIEVE_EXPORTED void operator delete(void* block, std::size_t) noexcept {
  Release(block);
}
CHATSIEVE_EXPORTED void operator delete[](void* block, std::size_t) noexcept {
  Release(block);
}
