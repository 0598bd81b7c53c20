// The process-wide filter level, the one filter object every export works on, and the
// library's own module.
#pragma once

#include <atomic>
#include <cstdint>

#include "legacy/bad_chat_man.h"

namespace chatsieve::legacy {

inline constexpr int32_t kDefaultLevel = 2;

// Lock-free and relaxed: the level is one independent value, read once per call.
extern std::atomic<int32_t> filter_level;
static_assert(std::atomic<int32_t>::is_always_lock_free);

BadChatMan& FilterObject();

// This library's module, recorded when it was loaded (an address inside it; on Windows
// its module handle), for asking the system where the library lives. Null if unknown.
extern std::atomic<const void*> library_module;

}  // namespace chatsieve::legacy
