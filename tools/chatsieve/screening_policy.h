// Which of the loaded words the service reports: those of at least a severity and, when
// categories are named, of one of them. Every match carries its word's labels.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "chatsieve/filter.hpp"

namespace chatsieve::tool {

struct ScreeningPolicy {
  int min_severity = 1;                 // 1 to 3
  std::vector<std::string> categories;  // none: every category
};

struct WordLabels {
  std::string_view category;  // empty: none
  int severity = 2;
};

// The labels of a loaded word, reported with each of its matches.
WordLabels LabelsOf(const Filter& filter, uint32_t word);

// Narrows a freshly loaded filter to the words the policy reports, so that check, find
// and mask all agree. Returns how many words are reported.
size_t ApplyPolicy(const ScreeningPolicy& policy, Filter& filter);

}  // namespace chatsieve::tool
