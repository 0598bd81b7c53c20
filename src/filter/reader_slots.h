// Which snapshot each thread is screening with right now, so that a load can free the
// snapshot it replaced as soon as no call uses it, without screening ever taking a lock
// or touching a shared counter.
//
// A thread owns one slot while it lives; slots are kept in a list that only grows, and
// a slot freed by a thread's end is taken by the next new thread.
#pragma once

#include <atomic>

#include "platform/process_fence.h"

namespace chatsieve {

struct ReaderSlot {
  std::atomic<const void*> in_use{nullptr};
  std::atomic<bool> owned{false};
  ReaderSlot* next = nullptr;
};

// The calling thread's slot. Throws std::bad_alloc on a thread's first call only.
ReaderSlot& ThisThreadsSlot();

// Marks the slot as using `snapshot`, seen by every WaitUntilUnused for it that begins
// after the caller's next sequentially consistent load. Where the system has a
// process-wide fence, the waiting side pays for that, not every screening call.
inline void PublishUse(ReaderSlot& slot, const void* snapshot) {
  static const bool waiter_fences = platform::HasProcessFence();
  if (waiter_fences) {
    slot.in_use.store(snapshot, std::memory_order_relaxed);
    std::atomic_signal_fence(std::memory_order_seq_cst);
  } else {
    slot.in_use.store(snapshot, std::memory_order_seq_cst);
  }
}

// Returns once no thread's slot holds `snapshot`. Calls are short, so this waits for the
// calls that began before the snapshot was replaced, never for later ones.
void WaitUntilUnused(const void* snapshot);

}  // namespace chatsieve
