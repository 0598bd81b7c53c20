#include "filter/reader_slots.h"

#include <memory>
#include <thread>

#include "platform/thread_end_store.h"

namespace chatsieve {
namespace {

std::atomic<ReaderSlot*> first_slot{nullptr};

ReaderSlot& ClaimSlot() {
  for (ReaderSlot* slot = first_slot.load(std::memory_order_acquire); slot != nullptr;
       slot = slot->next) {
    bool free = false;
    if (slot->owned.compare_exchange_strong(free, true, std::memory_order_acquire)) return *slot;
  }
  // Slots live as long as the process: a thread that ends hands its slot on.
  auto slot = std::make_unique<ReaderSlot>();
  slot->owned.store(true, std::memory_order_relaxed);
  slot->next = first_slot.load(std::memory_order_relaxed);
  // Sequentially consistent, as the slot's first use is: a load that replaces a snapshot
  // after that use began then sees the slot.
  while (!first_slot.compare_exchange_weak(slot->next, slot.get(), std::memory_order_seq_cst,
                                           std::memory_order_relaxed)) {
  }
  return *slot.release();
}

#if defined(_WIN32)
void __stdcall GiveBack(void* slot) {
  static_cast<ReaderSlot*>(slot)->owned.store(false, std::memory_order_release);
}

// Lives as long as the library: freeing it as the library is unloaded gives every slot back.
const platform::ThreadEndStore& ThreadsSlots() {
  static const platform::ThreadEndStore slots(&GiveBack);
  return slots;
}

}  // namespace

ReaderSlot& ThisThreadsSlot() {
  const platform::ThreadEndStore& slots = ThreadsSlots();
  if (void* slot = slots.Get()) return *static_cast<ReaderSlot*>(slot);
  ReaderSlot& slot = ClaimSlot();
  try {
    slots.Set(&slot);
  } catch (...) {
    GiveBack(&slot);
    throw;
  }
  return slot;
}
#else
// The slot as a plain pointer, read on every call: a variable with no constructor or
// destructor, which the compiler reaches without a call where it can.
#if defined(__GNUC__)
#define CHATSIEVE_FAST_THREAD_LOCAL __attribute__((tls_model("initial-exec")))
#else
#define CHATSIEVE_FAST_THREAD_LOCAL
#endif
thread_local ReaderSlot* this_threads_slot CHATSIEVE_FAST_THREAD_LOCAL = nullptr;

// Gives the slot back when its thread ends.
class OwnedSlot {
 public:
  OwnedSlot() : slot_(ClaimSlot()) {}
  ~OwnedSlot() {
    this_threads_slot = nullptr;
    slot_.owned.store(false, std::memory_order_release);
  }
  OwnedSlot(const OwnedSlot&) = delete;
  OwnedSlot& operator=(const OwnedSlot&) = delete;
  ReaderSlot& Slot() const { return slot_; }

 private:
  ReaderSlot& slot_;
};

ReaderSlot& ClaimForThisThread() {
  thread_local const OwnedSlot owned;
  this_threads_slot = &owned.Slot();
  return owned.Slot();
}

}  // namespace

ReaderSlot& ThisThreadsSlot() {
  ReaderSlot* slot = this_threads_slot;
  return slot != nullptr ? *slot : ClaimForThisThread();
}
#endif

void WaitUntilUnused(const void* snapshot) {
  // A call that published its use before this fence is seen below; one that publishes
  // after it then reads the snapshot that replaced this one.
  if (platform::HasProcessFence()) platform::ProcessFence();
  for (ReaderSlot* slot = first_slot.load(std::memory_order_seq_cst); slot != nullptr;
       slot = slot->next) {
    while (slot->in_use.load(std::memory_order_seq_cst) == snapshot)
      std::this_thread::yield();
  }
}

}  // namespace chatsieve
