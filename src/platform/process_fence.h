// A memory fence split in two sides. Threads that read often take the light side, which
// only keeps the compiler from reordering; the rare thread that must see their writes
// takes the heavy side, which makes every thread of the process pass a full fence. A
// screening call then publishes what it reads without a locked instruction.
#pragma once

namespace chatsieve::platform {

// Whether the system offers the heavy side: asked once, then remembered. Where it does
// not, both sides must be full fences, which the caller arranges.
bool HasProcessFence();

// Returns once every thread of the process has passed a full memory fence. Only where
// HasProcessFence() is true.
void ProcessFence();

}  // namespace chatsieve::platform
