#include "filter_setup.h"

#include <algorithm>
#include <cstdio>
#include <string_view>

#include "wordfile/word_list.h"

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

int MinSeverityOf(std::string_view value) {
  if (value != "1" && value != "2" && value != "3") {
    throw UsageError("--min-severity takes 1 (mild), 2 (offensive) or 3 (severe), not " +
                     Quoted(value));
  }
  return value[0] - '0';
}

std::string CategoriesOf(std::string_view value) {
  if (!CategoryNames(value)) {
    throw UsageError(
        "--categories takes comma-separated names of ASCII letters, digits, '-' and '_', not " +
        Quoted(value));
  }
  return std::string(value);
}

}  // namespace

std::vector<CommandOption> FilterSetupOptions(FilterSetup& setup, ListDefault list_default) {
  return {
      {{"--list", 0, "FILE",
        list_default == ListDefault::kLexicon
            ? "the listed words: a UTF-8 word list or either binary word-list\n"
              "file (default: the built-in Korean lexicon)"
            : "the listed words: a UTF-8 word list or either binary word-list\n"
              "file (default: the built-in Korean lexicon; with --legacy only\n"
              "a binary file, default filterW.bcd beside the library, filter.bcd\n"
              "with --encoding cp949)"},
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
         const std::optional<Options> named = Options::FromNames(value);
         if (!named) throw UsageError("--normalize takes option names, not " + Quoted(value));
         setup.options = setup.options | *named;
       }},
      {{"--min-severity", 0, "N",
        "count only words of at least this severity: 1 mild, 2 offensive,\n"
        "3 severe (default 1 with --list, 2 with the built-in lexicon)"},
       [&](std::string_view value) { setup.min_severity = MinSeverityOf(value); }},
      {{"--categories", 0, "NAMES",
        "count only words of these comma-separated categories (as the\n"
        "list names them: hate,sexual); '' counts every word"},
       [&](std::string_view value) { setup.categories = CategoriesOf(value); }},
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

size_t CountedWords(const Filter& filter, const FilterSetup& setup) {
  const int least = setup.min_severity.value_or(setup.list ? 1 : 2);
  const std::vector<std::string> chosen =
      CategoryNames(setup.categories).value_or(std::vector<std::string>());
  size_t counted = 0;
  for (uint32_t word = 0; word < filter.WordCount(); ++word) {
    const std::string_view category = filter.WordCategory(word);
    counted += filter.WordSeverity(word) >= least &&
                       (chosen.empty() ||
                        std::find(chosen.begin(), chosen.end(), category) != chosen.end())
                   ? 1
                   : 0;
  }
  return counted;
}

}  // namespace chatsieve::tool
