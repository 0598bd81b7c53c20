#include "word_reload.h"

#include <cinttypes>
#include <cstdio>

namespace chatsieve::tool {

std::optional<std::string> ReloadWords(WordGenerations& words, ServiceMetrics& metrics) {
  try {
    const std::shared_ptr<const WordGeneration> loaded = words.Reload();
    metrics.CountReload(true);
    std::fprintf(stderr, "chatsieve serve: reloaded: generation %" PRIu64 ", %zu words\n",
                 loaded->number, loaded->words);
    return std::nullopt;
  } catch (const std::exception& error) {
    metrics.CountReload(false);
    std::fprintf(stderr, "chatsieve serve: reload failed, generation %" PRIu64 " stays: %s\n",
                 words.Current()->number, error.what());
    return error.what();
  }
}

}  // namespace chatsieve::tool
