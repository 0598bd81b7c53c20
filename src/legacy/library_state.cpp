#include "legacy/library_state.h"

namespace chatsieve::legacy {

constinit std::atomic<int32_t> filter_level{kDefaultLevel};
constinit std::atomic<const void*> library_module{nullptr};

BadChatMan& FilterObject() {
  // Made at the first call, whenever that comes, so no load-time code depends on it.
  static BadChatMan filter_object;
  return filter_object;
}

}  // namespace chatsieve::legacy
