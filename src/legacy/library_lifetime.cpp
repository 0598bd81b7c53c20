// The library's lifetime: the filter object lives from load to unload, and both ends set
// the filter level to its default. Thread start and end leave the level alone, so a
// level the host chose holds until it chooses another.
#include "legacy/library_state.h"

namespace chatsieve::legacy {
namespace {

__attribute__((constructor)) void OnLibraryLoad() {
  library_module.store(reinterpret_cast<const void*>(&OnLibraryLoad), std::memory_order_relaxed);
  filter_level.store(kDefaultLevel, std::memory_order_relaxed);
}

__attribute__((destructor)) void OnLibraryUnload() {
  filter_level.store(kDefaultLevel, std::memory_order_relaxed);
}

}  // namespace
}  // namespace chatsieve::legacy
