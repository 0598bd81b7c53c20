#include "api/filter_level.h"
#include "chatsieve/chatsieve.h"

extern "C" int32_t SetLevel(int32_t level) {
  chatsieve::api::filter_level.store(level, std::memory_order_relaxed);
  return level;
}
