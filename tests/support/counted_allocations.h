// Counts every allocation of the process through its operator new, which the library's
// allocations bind to when the program exports it (ENABLE_EXPORTS). A DLL keeps its own
// allocator, so a Windows test sees only its own.
#pragma once

#include <atomic>
#include <cstddef>

namespace chatsieve::testing {

struct CountedAllocations {
  std::atomic<long> live{0};
  std::atomic<size_t> live_bytes{0};
  std::atomic<size_t> peak_bytes{0};  // the most live_bytes reached; a test may reset it
};

CountedAllocations& Allocations();

}  // namespace chatsieve::testing
