#include "legacy/library_state.h"

namespace chatsieve::legacy {
namespace {

// Constant-initialised, so it exists before any load-time code of the library runs.
constinit BadChatMan filter_object;

}  // namespace

constinit std::atomic<int32_t> filter_level{kDefaultLevel};
constinit std::atomic<const void*> library_module{nullptr};

BadChatMan& FilterObject() {
  return filter_object;
}

}  // namespace chatsieve::legacy
