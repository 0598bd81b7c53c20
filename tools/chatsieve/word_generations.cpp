#include "word_generations.h"

namespace chatsieve::tool {

WordGenerations::WordGenerations(const ServeSettings& settings)
    : settings_(settings), current_(Build(1)) {}

std::shared_ptr<const WordGeneration> WordGenerations::Reload() {
  const std::lock_guard lock(reloading_);
  std::shared_ptr<const WordGeneration> next = Build(current_.load()->number + 1);
  current_.store(next);
  return next;
}

std::shared_ptr<const WordGeneration> WordGenerations::Build(uint64_t number) const {
  const auto started = std::chrono::steady_clock::now();
  auto generation = std::make_shared<WordGeneration>(BuildFilter(settings_.filter));
  generation->words = CountedWords(generation->filter, settings_.filter);
  generation->number = number;
  generation->loaded_at = std::chrono::system_clock::now();
  generation->load_time = std::chrono::steady_clock::now() - started;
  return generation;
}

}  // namespace chatsieve::tool
