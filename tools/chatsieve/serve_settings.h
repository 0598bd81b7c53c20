// The settings of `chatsieve serve`, read from its table of options.
#pragma once

#include <chrono>
#include <cstddef>
#include <optional>
#include <string>

#include "chatsieve/filter.hpp"
#include "commands.h"
#include "filter_setup.h"
#include "listen_address.h"

namespace chatsieve::tool {

// The conversations kept for requests with a "speaker": how many at most, how long one
// lives unused, and what each remembers. The limits are the library's defaults, spelt
// out because the service keeps positions for as many messages as a conversation does.
struct ConversationTableSettings {
  size_t most = 100000;
  std::chrono::seconds idle{600};
  ConversationLimits limits{3, 64, {}};
};

struct ServeSettings {
  ListenAddress listen{"127.0.0.1", 8080};
  FilterSetup filter;
  std::optional<std::string> token_file;  // none: POST /v1/reload is off
  size_t threads = 1;
  size_t max_body = 1 << 20;
  ConversationTableSettings conversations;
  bool help = false;
};

// Throws UsageError, naming the option, for unknown options and bad values.
ServeSettings ParseServeSettings(Arguments arguments);

// The options' lines of the command's --help.
void PrintServeOptionHelp();

}  // namespace chatsieve::tool
