#include "platform/process_fence.h"

namespace chatsieve::platform {

bool HasProcessFence() {
  return false;
}

void ProcessFence() {}

}  // namespace chatsieve::platform
