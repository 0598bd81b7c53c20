#include "platform/process_fence.h"

#include <linux/membarrier.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace chatsieve::platform {

bool HasProcessFence() {
  // A process registers once before its first expedited fence; a kernel without the
  // call, or a sandbox that forbids it, answers with an error.
  static const bool registered =
      syscall(SYS_membarrier, MEMBARRIER_CMD_REGISTER_PRIVATE_EXPEDITED, 0, 0) == 0;
  return registered;
}

void ProcessFence() {
  // Once the process is registered, the call has no way left to fail.
  syscall(SYS_membarrier, MEMBARRIER_CMD_PRIVATE_EXPEDITED, 0, 0);
}

}  // namespace chatsieve::platform
