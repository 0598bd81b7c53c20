// The filter a command screens with, as its options describe it: a list (or the built-in
// Korean lexicon), allowed words, the reading and the policy.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "chatsieve/filter.hpp"
#include "option_parser.h"

namespace chatsieve::tool {

struct FilterSetup {
  std::optional<std::string> list;   // none: the built-in Korean lexicon and its allow-list
  std::optional<std::string> allow;  // with the lexicon, in place of its allow-list
  Options options;                   // with the lexicon, none given: the recommended reading
  std::optional<int> min_severity;   // none: 2 with the lexicon (general chat), 1 with a list
  std::string categories;            // "": every word
};

// What --list's help says a command screens with without it.
enum class ListDefault { kLexicon, kLexiconOrLegacyList };

// The rows of --list, --allow, --separators, --normalize, --min-severity, --categories.
std::vector<CommandOption> FilterSetupOptions(FilterSetup& setup,
                                              ListDefault list_default = ListDefault::kLexicon);

enum class Notes { kWarn, kQuiet };

// Builds the filter; a load's notes on entries left out or merged go to standard error as
// warnings, unless quiet. Throws chatsieve::Error with the reason.
Filter BuildFilter(const FilterSetup& setup, Notes notes = Notes::kWarn);

// How many of the filter's words its policy counts.
size_t CountedWords(const Filter& filter, const FilterSetup& setup);

}  // namespace chatsieve::tool
