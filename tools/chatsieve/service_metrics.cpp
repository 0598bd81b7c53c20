#include "service_metrics.h"

#include <algorithm>
#include <cinttypes>
#include <cstdio>
#include <string_view>

namespace chatsieve::tool {
namespace {

constexpr std::string_view kOtherPaths = "other";

void AppendLine(std::string& out, const char* format, auto... values) {
  char line[256];
  const int length = std::snprintf(line, sizeof line, format, values...);
  if (length > 0) out.append(line, std::min(static_cast<size_t>(length), sizeof line - 1));
}

void AppendHeader(std::string& out, const char* name, const char* type, const char* help) {
  AppendLine(out, "# HELP %s %s\n# TYPE %s %s\n", name, help, name, type);
}

std::string_view PathLabel(size_t index) {
  return index < kEndpointCount ? kEndpointRoutes[index].path : kOtherPaths;
}

uint64_t Read(const std::atomic<uint64_t>& counter) {
  return counter.load(std::memory_order_relaxed);
}

}  // namespace

void ServiceMetrics::CountRequest(std::optional<Endpoint> endpoint, int status,
                                  std::chrono::nanoseconds took) {
  const size_t path = endpoint ? static_cast<size_t>(*endpoint) : kEndpointCount;
  const size_t status_class = std::clamp(status / 100, 1, 5) - 1;
  requests_[path][status_class].fetch_add(1, std::memory_order_relaxed);
  const uint64_t nanoseconds = static_cast<uint64_t>(std::max<int64_t>(took.count(), 0));
  const auto bucket =
      std::lower_bound(kBucketBounds.begin(), kBucketBounds.end(), (nanoseconds + 999) / 1000) -
      kBucketBounds.begin();
  latency_[path].buckets[static_cast<size_t>(bucket)].fetch_add(1, std::memory_order_relaxed);
  latency_[path].nanoseconds.fetch_add(nanoseconds, std::memory_order_relaxed);
}

void ServiceMetrics::CountReload(bool succeeded) {
  (succeeded ? reloads_ : failed_reloads_).fetch_add(1, std::memory_order_relaxed);
}

std::string ServiceMetrics::Render(const WordGeneration& in_force, const ServerGauges& server,
                                   const ConversationGauges& conversations) const {
  std::string out;
  AppendHeader(out, "chatsieve_http_requests_total", "counter",
               "Requests answered, by endpoint and status class.");
  for (size_t path = 0; path < kPaths; ++path) {
    const std::string label(PathLabel(path));
    for (size_t status_class = 0; status_class < kStatusClasses; ++status_class) {
      AppendLine(out, "chatsieve_http_requests_total{endpoint=\"%s\",code=\"%zuxx\"} %" PRIu64 "\n",
                 label.c_str(), status_class + 1, Read(requests_[path][status_class]));
    }
  }
  AppendHeader(out, "chatsieve_http_request_duration_seconds", "histogram",
               "Time from a request's head read to its answer made, by endpoint.");
  for (size_t path = 0; path < kPaths; ++path) {
    const std::string label(PathLabel(path));
    const Latency& latency = latency_[path];
    uint64_t count = 0;
    for (size_t bucket = 0; bucket < latency.buckets.size(); ++bucket) {
      count += Read(latency.buckets[bucket]);
      if (bucket < kBucketBounds.size()) {
        AppendLine(out,
                   "chatsieve_http_request_duration_seconds_bucket{endpoint=\"%s\",le=\"%g\"} "
                   "%" PRIu64 "\n",
                   label.c_str(), static_cast<double>(kBucketBounds[bucket]) / 1e6, count);
      } else {
        AppendLine(out,
                   "chatsieve_http_request_duration_seconds_bucket{endpoint=\"%s\",le=\"+Inf\"} "
                   "%" PRIu64 "\n",
                   label.c_str(), count);
      }
    }
    AppendLine(out, "chatsieve_http_request_duration_seconds_sum{endpoint=\"%s\"} %.9f\n",
               label.c_str(), static_cast<double>(Read(latency.nanoseconds)) / 1e9);
    AppendLine(out, "chatsieve_http_request_duration_seconds_count{endpoint=\"%s\"} %" PRIu64 "\n",
               label.c_str(), count);
  }
  AppendHeader(out, "chatsieve_texts_screened_total", "counter",
               "Texts screened by check, find and mask, batches counted by their texts.");
  AppendLine(out, "chatsieve_texts_screened_total %" PRIu64 "\n", Read(texts_));
  AppendHeader(out, "chatsieve_reloads_total", "counter", "Reloads that swapped in new words.");
  AppendLine(out, "chatsieve_reloads_total %" PRIu64 "\n", Read(reloads_));
  AppendHeader(out, "chatsieve_reload_failures_total", "counter",
               "Reloads that failed and kept the words in force.");
  AppendLine(out, "chatsieve_reload_failures_total %" PRIu64 "\n", Read(failed_reloads_));
  AppendHeader(out, "chatsieve_words_loaded", "gauge", "Listed words in force, after the policy.");
  AppendLine(out, "chatsieve_words_loaded %zu\n", in_force.words);
  AppendHeader(out, "chatsieve_word_list_generation", "gauge",
               "The generation of the words in force: 1 at start, one more for each reload.");
  AppendLine(out, "chatsieve_word_list_generation %" PRIu64 "\n", in_force.number);
  AppendHeader(out, "chatsieve_word_list_loaded_timestamp_seconds", "gauge",
               "When the words in force were loaded, in seconds since the Unix epoch.");
  AppendLine(out, "chatsieve_word_list_loaded_timestamp_seconds %.3f\n",
             std::chrono::duration<double>(in_force.loaded_at.time_since_epoch()).count());
  AppendHeader(out, "chatsieve_word_list_load_seconds", "gauge",
               "How long loading the words in force took.");
  AppendLine(out, "chatsieve_word_list_load_seconds %.6f\n", in_force.load_time.count());
  AppendHeader(out, "chatsieve_connections_open", "gauge", "Client connections open.");
  AppendLine(out, "chatsieve_connections_open %zu\n", server.open_connections);
  AppendHeader(out, "chatsieve_request_body_bytes_pending", "gauge",
               "Bytes of request bodies on their way, within their cap.");
  AppendLine(out, "chatsieve_request_body_bytes_pending %zu\n", server.pending_body_bytes);
  AppendHeader(out, "chatsieve_conversations", "gauge",
               "Speakers' conversations held for requests with a speaker.");
  AppendLine(out, "chatsieve_conversations %zu\n", conversations.held);
  AppendHeader(out, "chatsieve_conversations_evicted_total", "counter",
               "Conversations dropped: for a new speaker when the table was full, or idle.");
  AppendLine(out, "chatsieve_conversations_evicted_total{reason=\"full\"} %" PRIu64 "\n",
             conversations.evicted_for_room);
  AppendLine(out, "chatsieve_conversations_evicted_total{reason=\"idle\"} %" PRIu64 "\n",
             conversations.expired);
  return out;
}

}  // namespace chatsieve::tool
