// The service's counters, rendered in the Prometheus text format: requests by endpoint
// and status class, a latency histogram by endpoint, texts screened, reloads, the words
// in force, and the speakers' conversations held and dropped. Counting is a relaxed atomic add: it
// never makes a request wait.
#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <cstdint>
#include <optional>
#include <string>

#include "endpoints.h"
#include "speaker_conversations.h"
#include "word_generations.h"

namespace chatsieve::tool {

// What the server holds at a moment.
struct ServerGauges {
  size_t open_connections = 0;
  size_t pending_body_bytes = 0;  // bodies gathered before a thread takes them up
};

class ServiceMetrics {
 public:
  // A request answered; `endpoint` is none for a path the service does not have.
  void CountRequest(std::optional<Endpoint> endpoint, int status, std::chrono::nanoseconds took);
  void CountTexts(size_t texts) { texts_.fetch_add(texts, std::memory_order_relaxed); }
  void CountReload(bool succeeded);

  std::string Render(const WordGeneration& in_force, const ServerGauges& server,
                     const ConversationGauges& conversations) const;

 private:
  // Upper bounds in microseconds: screening a chat line takes a few, a batch or a
  // reload more.
  static constexpr std::array<uint64_t, 11> kBucketBounds = {
      50, 100, 250, 500, 1000, 2500, 5000, 10000, 25000, 100000, 500000};
  static constexpr size_t kPaths = kEndpointCount + 1;  // and every other path
  static constexpr size_t kStatusClasses = 5;           // 1xx to 5xx

  struct Latency {
    std::array<std::atomic<uint64_t>, kBucketBounds.size() + 1> buckets{};
    std::atomic<uint64_t> nanoseconds{0};
  };

  std::array<std::array<std::atomic<uint64_t>, kStatusClasses>, kPaths> requests_{};
  std::array<Latency, kPaths> latency_{};
  std::atomic<uint64_t> texts_{0};
  std::atomic<uint64_t> reloads_{0};
  std::atomic<uint64_t> failed_reloads_{0};
};

}  // namespace chatsieve::tool
