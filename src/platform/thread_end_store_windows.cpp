#include <windows.h>

#include <new>

#include "platform/thread_end_store.h"

namespace chatsieve::platform {

ThreadEndStore::ThreadEndStore(AtThreadEnd at_end) : index_(FlsAlloc(at_end)) {
  if (index_ == FLS_OUT_OF_INDEXES) throw std::bad_alloc();
}

ThreadEndStore::~ThreadEndStore() {
  FlsFree(index_);
}

void* ThreadEndStore::Get() const {
  return FlsGetValue(index_);
}

void ThreadEndStore::Set(void* value) const {
  if (!FlsSetValue(index_, value)) throw std::bad_alloc();
}

}  // namespace chatsieve::platform
