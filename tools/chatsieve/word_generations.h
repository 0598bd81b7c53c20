// The words in force and their successors. Each load builds a whole new filter aside,
// listed words and allowed words together, and swaps it in only once it is complete:
// a request sees one generation or the next, never a mix, and never waits for a build.
// A generation's filter is never loaded into again, so match indices found with it
// resolve through it.
#pragma once

#include <atomic>
#include <chrono>
#include <cstdint>
#include <memory>
#include <mutex>

#include "chatsieve/filter.hpp"
#include "serve_settings.h"

namespace chatsieve::tool {

struct WordGeneration {
  explicit WordGeneration(Filter words) : filter(std::move(words)) {}

  Filter filter;
  uint64_t number = 0;  // 1 for the words loaded at start
  size_t words = 0;     // the words reported, after the policy
  std::chrono::system_clock::time_point loaded_at;
  std::chrono::duration<double> load_time{};
};

class WordGenerations {
 public:
  // Loads the first generation. Throws chatsieve::Error with the reason.
  explicit WordGenerations(const ServeSettings& settings);

  std::shared_ptr<const WordGeneration> Current() const { return current_.load(); }

  // Loads the files again into a new generation and swaps it in. Throws chatsieve::Error
  // with the reason (file and line); the words in force stay. One reload at a time.
  std::shared_ptr<const WordGeneration> Reload();

 private:
  std::shared_ptr<const WordGeneration> Build(uint64_t number) const;

  const ServeSettings settings_;
  std::mutex reloading_;
  std::atomic<std::shared_ptr<const WordGeneration>> current_;
};

}  // namespace chatsieve::tool
