#include "api/filter_level.h"

namespace chatsieve::api {

constinit std::atomic<int32_t> filter_level{kDefaultLevel};

}  // namespace chatsieve::api
