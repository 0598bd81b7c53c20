// Windows only: a pointer kept for each thread, handed to a call when its thread ends.
//
// thread_local objects with destructors are not enough there: with MinGW's emulated
// thread storage, a thread_local destructor that touches another thread_local can leave
// the process hanging as it exits. The system's fiber storage calls back itself.
#pragma once

#if defined(_WIN32)

namespace chatsieve::platform {

class ThreadEndStore {
 public:
  // Called with a thread's value, when it is not null, as the thread ends (and for every
  // thread's value when the store is freed).
  using AtThreadEnd = void(__stdcall*)(void* value);

  // Throws std::bad_alloc when the system has no storage left.
  explicit ThreadEndStore(AtThreadEnd at_end);
  ~ThreadEndStore();
  ThreadEndStore(const ThreadEndStore&) = delete;
  ThreadEndStore& operator=(const ThreadEndStore&) = delete;

  // The calling thread's value; null until it sets one.
  void* Get() const;
  // Throws std::bad_alloc when the system has no memory for it.
  void Set(void* value) const;

 private:
  unsigned long index_;
};

}  // namespace chatsieve::platform

#endif
