// The process-wide filter level and the one filter object every export works on.
#pragma once

#include <atomic>
#include <cstdint>
#include <string>

#include "api/bad_chat_man.h"

namespace chatsieve::api {

inline constexpr int32_t kDefaultLevel = 2;

// Lock-free and relaxed: the level is one independent value, read once per call.
extern std::atomic<int32_t> filter_level;
static_assert(std::atomic<int32_t>::is_always_lock_free);

BadChatMan& FilterObject();

// The file name of this library, recorded when it was loaded; empty if unknown.
const std::string& LibraryFileName();

}  // namespace chatsieve::api
