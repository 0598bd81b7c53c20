#include "chatsieve/chatsieve.h"
#include "legacy/library_state.h"

extern "C" int32_t SetLevel(int32_t level) {
  chatsieve::legacy::filter_level.store(level, std::memory_order_relaxed);
  return level;
}
