#include "screening_policy.h"

#include <algorithm>

namespace chatsieve::tool {
namespace {

bool Reports(const ScreeningPolicy& policy, const WordLabels& labels) {
  if (labels.severity < policy.min_severity) return false;
  return policy.categories.empty() || std::find(policy.categories.begin(), policy.categories.end(),
                                                labels.category) != policy.categories.end();
}

}  // namespace

WordLabels LabelsOf(const Filter& filter, uint32_t word) {
  return {filter.WordCategory(word), filter.WordSeverity(word)};
}

size_t ApplyPolicy(const ScreeningPolicy& policy, Filter& filter) {
  filter.SetMinSeverity(policy.min_severity);
  std::string names;
  for (const std::string& category : policy.categories)
    names += (names.empty() ? "" : ",") + category;
  filter.SetCategories(names);
  size_t reported = 0;
  for (uint32_t word = 0; word < filter.WordCount(); ++word)
    reported += Reports(policy, LabelsOf(filter, word)) ? 1 : 0;
  return reported;
}

}  // namespace chatsieve::tool
