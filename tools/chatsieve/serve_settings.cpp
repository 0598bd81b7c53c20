#include "serve_settings.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>
#include <thread>
#include <vector>

#include "option_parser.h"

namespace chatsieve::tool {
namespace {

constexpr size_t kMostThreads = 256;
constexpr size_t kLargestBody = size_t{64} << 20;
constexpr size_t kMostConversations = 10'000'000;
constexpr size_t kLongestIdleSeconds = 7 * 24 * 60 * 60;

// A whole number in [least, most]; throws UsageError naming the option.
size_t NumberOf(std::string_view option, std::string_view value, size_t least, size_t most) {
  size_t number = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), number);
  if (value.empty() || error != std::errc() || end != value.data() + value.size() ||
      number < least || number > most) {
    throw UsageError(std::string(option) + " takes a number from " + std::to_string(least) +
                     " to " + std::to_string(most) + ", not " + Quoted(value));
  }
  return number;
}

// An option taking a whole number from 1 to `most` into `number`.
CommandOption CountOption(OptionSyntax syntax, size_t most, size_t& number) {
  return {syntax, [name = syntax.name, most, &number](std::string_view value) {
            number = NumberOf(name, value, 1, most);
          }};
}

std::vector<CommandOption> OptionsOf(ServeSettings& settings) {
  std::vector<CommandOption> options = {
      HelpOption(settings.help),
      {{"--listen", 0, "HOST:PORT",
        "where to listen (default 127.0.0.1:8080; [::1]:PORT\n"
        "for IPv6; port 0: any free port)"},
       [&](std::string_view value) { settings.listen = ParseListenAddress(value); }},
      {{"--token-file", 0, "FILE",
        "turns POST /v1/reload on, for requests with the\n"
        "header 'Authorization: Bearer TOKEN', TOKEN being\n"
        "the file's first line"},
       [&](std::string_view value) { settings.token_file = std::string(value); }},
      CountOption({"--threads", 0, "N", "threads answering requests (default: one a core)"},
                  kMostThreads, settings.threads),
      CountOption(
          {"--max-body", 0, "BYTES", "the largest request body taken (default 1048576, 1 MiB)"},
          kLargestBody, settings.max_body),
      CountOption({"--conversations", 0, "N",
                   "conversations kept for requests with a \"speaker\", the\n"
                   "least recently used dropped for a new one (default 100000)"},
                  kMostConversations, settings.conversations.most),
      {{"--conversation-idle", 0, "SECONDS",
        "a conversation unused this long is\n"
        "dropped (default 600)"},
       [&](std::string_view value) {
         settings.conversations.idle =
             std::chrono::seconds(NumberOf("--conversation-idle", value, 1, kLongestIdleSeconds));
       }},
      CountOption({"--conversation-messages", 0, "N",
                   "earlier messages each message is\n"
                   "joined with (default 3, at most 7)"},
                  CHATSIEVE_CONVERSATION_MAX_MESSAGES, settings.conversations.limits.messages),
      CountOption({"--conversation-characters", 0, "N",
                   "code points of earlier messages\n"
                   "remembered (default 12, at most 1024)"},
                  CHATSIEVE_CONVERSATION_MAX_CHARACTERS, settings.conversations.limits.characters),
  };
  for (CommandOption& option : FilterSetupOptions(settings.filter))
    options.push_back(std::move(option));
  return options;
}

}  // namespace

ServeSettings ParseServeSettings(Arguments arguments) {
  ServeSettings settings;
  settings.threads = std::max(1u, std::thread::hardware_concurrency());
  const std::vector<CommandOption> options = OptionsOf(settings);
  NoOperandsPast(ParseArguments(arguments, options), 0);
  return settings;
}

void PrintServeOptionHelp() {
  ServeSettings unused;
  PrintOptionHelp(stdout, OptionsOf(unused));
}

}  // namespace chatsieve::tool
