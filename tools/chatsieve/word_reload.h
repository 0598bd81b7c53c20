// A reload of the words, as SIGHUP and POST /v1/reload both ask for it.
#pragma once

#include <optional>
#include <string>

#include "service_metrics.h"
#include "word_generations.h"

namespace chatsieve::tool {

// Loads the word lists again and swaps them in, counts the reload and says on standard
// error how it went. Returns the reason when it failed; the words in force then stay.
std::optional<std::string> ReloadWords(WordGenerations& words, ServiceMetrics& metrics);

}  // namespace chatsieve::tool
