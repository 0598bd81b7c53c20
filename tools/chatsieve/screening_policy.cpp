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

// Word lists carry no labels yet: every word is of severity 2 and of no category.
WordLabels LabelsOf(const Filter&, uint32_t) {
  return {};
}

size_t ApplyPolicy(const ScreeningPolicy& policy, Filter& filter) {
  // With one set of labels for every word, the policy keeps all of them or none.
  if (!Reports(policy, LabelsOf(filter, 0))) filter.LoadText("");
  return filter.WordCount();
}

}  // namespace chatsieve::tool
