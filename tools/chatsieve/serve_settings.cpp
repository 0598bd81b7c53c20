#include "serve_settings.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <string_view>
#include <thread>
#include <vector>

#include "filter_option_names.h"
#include "option_parser.h"

namespace chatsieve::tool {
namespace {

constexpr size_t kMostThreads = 256;
constexpr size_t kLargestBody = size_t{64} << 20;

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

bool IsCategoryName(std::string_view name) {
  if (name.empty()) return false;
  for (const char c : name) {
    const bool letter_or_digit =
        (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9');
    if (!letter_or_digit && c != '-' && c != '_') return false;
  }
  return true;
}

std::vector<std::string> CategoriesOf(const std::string_view value) {
  std::vector<std::string> categories;
  for (std::string_view rest = value;;) {
    const size_t comma = rest.find(',');
    const std::string_view name = rest.substr(0, comma);
    if (!IsCategoryName(name)) {
      throw UsageError(
          "--categories takes names of ASCII letters, digits, '-' and '_' joined by commas, "
          "not " +
          Quoted(value));
    }
    categories.emplace_back(name);
    if (comma == std::string_view::npos) return categories;
    rest.remove_prefix(comma + 1);
  }
}

std::vector<CommandOption> OptionsOf(ServeSettings& settings, bool& min_severity_given) {
  return {
      HelpOption(settings.help),
      {{"--listen", 0, "HOST:PORT",
        "where to listen (default 127.0.0.1:8080; [::1]:PORT\n"
        "for IPv6; port 0: any free port)"},
       [&](std::string_view value) { settings.listen = ParseListenAddress(value); }},
      {{"--list", 0, "FILE",
        "the listed words: a UTF-8 word list or either binary word-list\n"
        "file (default: the built-in Korean lexicon, read with the\n"
        "recommended options and severity 2 or more)"},
       [&](std::string_view value) { settings.list = std::string(value); }},
      {{"--allow", 0, "FILE",
        "allowed words, in the same formats (with the built-in lexicon,\n"
        "in place of its allow-list)"},
       [&](std::string_view value) { settings.allow = std::string(value); }},
      {{"--separators", 0, "", "also match across punctuation, symbols and runs of spaces"},
       [&](std::string_view) {
         settings.filter_options = settings.filter_options | Option::kSeparators;
       }},
      {{"--normalize", 0, "NAMES",
        "also read words and text as Korean chat is typed: korean or a\n"
        "comma list of width, invisible, jamo, initials, keyboard,\n"
        "digits, repeats, spaces, separators"},
       [&](std::string_view value) {
         const std::optional<Options> named = FilterOptionsFromNames(value);
         if (!named)
           throw UsageError("--normalize takes korean or option names, not " + Quoted(value));
         settings.filter_options = settings.filter_options | *named;
       }},
      {{"--min-severity", 0, "N",
        "report only words of severity N or more (1 to 3;\n"
        "default 1 with --list, 2 with the built-in lexicon)"},
       [&](std::string_view value) {
         settings.policy.min_severity = static_cast<int>(NumberOf("--min-severity", value, 1, 3));
         min_severity_given = true;
       }},
      {{"--categories", 0, "A,B", "report only words of these categories (default: all)"},
       [&](std::string_view value) { settings.policy.categories = CategoriesOf(value); }},
      {{"--token-file", 0, "FILE",
        "turns POST /v1/reload on, for requests with the\n"
        "header 'Authorization: Bearer TOKEN', TOKEN being\n"
        "the file's first line"},
       [&](std::string_view value) { settings.token_file = std::string(value); }},
      {{"--threads", 0, "N", "threads answering requests (default: one a core)"},
       [&](std::string_view value) {
         settings.threads = NumberOf("--threads", value, 1, kMostThreads);
       }},
      {{"--max-body", 0, "BYTES", "the largest request body taken (default 1048576, 1 MiB)"},
       [&](std::string_view value) {
         settings.max_body = NumberOf("--max-body", value, 1, kLargestBody);
       }},
  };
}

}  // namespace

ServeSettings ParseServeSettings(Arguments arguments) {
  ServeSettings settings;
  settings.threads = std::max(1u, std::thread::hardware_concurrency());
  bool min_severity_given = false;
  const std::vector<CommandOption> options = OptionsOf(settings, min_severity_given);
  NoOperandsPast(ParseArguments(arguments, options), 0);
  // The built-in lexicon is written for the recommended reading and general chat.
  if (!settings.list) {
    if (settings.filter_options.Bits() == 0) settings.filter_options = Option::kRecommended;
    if (!min_severity_given) settings.policy.min_severity = 2;
  }
  return settings;
}

void PrintServeOptionHelp() {
  ServeSettings unused;
  bool unused_given = false;
  PrintOptionHelp(stdout, OptionsOf(unused, unused_given));
}

}  // namespace chatsieve::tool
