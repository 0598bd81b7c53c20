#include "evaluation.h"

#include <algorithm>
#include <map>
#include <set>

namespace chatsieve::tool {

Evaluation Evaluate(const Filter& filter, const LabelledTexts& labelled, size_t misses_kept) {
  Evaluation evaluation;
  std::map<std::string, size_t> false_find_words;
  std::vector<const std::string*> missed;
  for (const LabelledText& text : labelled.texts) {
    const std::vector<Match> found = filter.Find(text.text);
    if (text.abusive) {
      if (found.empty()) missed.push_back(&text.text);
      ++(found.empty() ? evaluation.misses : evaluation.true_finds);
      continue;
    }
    if (found.empty()) {
      ++evaluation.clean;
      continue;
    }
    ++evaluation.false_finds;
    std::set<std::string> words;
    for (const Match& match : found)
      words.emplace(filter.Word(match.word));
    for (const std::string& word : words)
      ++false_find_words[word];
  }
  evaluation.false_find_words.assign(false_find_words.begin(), false_find_words.end());
  std::stable_sort(evaluation.false_find_words.begin(), evaluation.false_find_words.end(),
                   [](const auto& a, const auto& b) { return a.second > b.second; });
  // Evenly spread, so that the sample is not one corner of the file.
  const size_t kept = std::min(misses_kept, missed.size());
  for (size_t k = 0; k < kept; ++k)
    evaluation.missed.push_back(*missed[k * missed.size() / kept]);
  return evaluation;
}

}  // namespace chatsieve::tool
