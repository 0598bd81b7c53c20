#include "filter_setup.h"

#include <cstdio>
#include <string_view>

#include "filter_option_names.h"

namespace chatsieve::tool {
namespace {

void Warn(const std::string& notes) {
  std::string_view rest = notes;
  while (!rest.empty()) {
    const size_t newline = rest.find('\n');
    const std::string_view note = rest.substr(0, newline);
    std::fprintf(stderr, "chatsieve: %.*s\n", static_cast<int>(note.size()), note.data());
    rest.remove_prefix(newline == std::string_view::npos ? rest.size() : newline + 1);
  }
}

}  // namespace

std::vector<CommandOption> FilterSetupOptions(FilterSetup& setup) {
  return {
      {{"--list", 0, "FILE",
        "the listed words: a UTF-8 word list or either binary word-list\n"
        "file (default: the built-in Korean lexicon)"},
       [&](std::string_view value) { setup.list = std::string(value); }},
      {{"--allow", 0, "FILE",
        "allowed words, in the same formats (with the built-in lexicon,\n"
        "in place of its allow-list)"},
       [&](std::string_view value) { setup.allow = std::string(value); }},
      {{"--separators", 0, "", "also match across punctuation, symbols and runs of spaces"},
       [&](std::string_view) { setup.options = setup.options | Option::kSeparators; }},
      {{"--normalize", 0, "NAMES",
        "read words and text as Korean chat is typed: recommended, korean,\n"
        "or a comma list of width, invisible, jamo, initials, keyboard,\n"
        "digits, repeats, spaces, lookalike, separators (default with the\n"
        "built-in lexicon: recommended)"},
       [&](std::string_view value) {
         const std::optional<Options> named = FilterOptionsFromNames(value);
         if (!named) throw UsageError("--normalize takes option names, not " + Quoted(value));
         setup.options = setup.options | *named;
       }},
      {{"--min-severity", 0, "N",
        "count only words of at least this severity: 1 mild, 2 offensive,\n"
        "3 severe (default 1 with --list, 2 with the built-in lexicon)"},
       [&](std::string_view value) {
         if (value != "1" && value != "2" && value != "3")
           throw UsageError("--min-severity takes 1, 2 or 3, not " + Quoted(value));
         setup.min_severity = value[0] - '0';
       }},
      {{"--categories", 0, "NAMES", "count only words of these comma-separated categories"},
       [&](std::string_view value) { setup.categories = std::string(value); }},
  };
}

Filter BuildFilter(const FilterSetup& setup, Notes notes) {
  const bool lexicon = !setup.list;
  Filter filter(lexicon && setup.options.Bits() == 0 ? Options(Option::kRecommended)
                                                     : setup.options);
  const auto warn = [&](const std::string& text) {
    if (notes == Notes::kWarn) Warn(text);
  };
  warn(lexicon ? filter.LoadBuiltin("ko") : filter.Load(*setup.list));
  if (setup.allow) warn(filter.Load(*setup.allow, WordRole::kAllowed));
  filter.SetMinSeverity(setup.min_severity.value_or(lexicon ? 2 : 1));
  filter.SetCategories(setup.categories);
  return filter;
}

}  // namespace chatsieve::tool
