// How well a filter tells abusive texts from the others, against people's labels.
#pragma once

#include <cstddef>
#include <string>
#include <utility>
#include <vector>

#include "chatsieve/filter.hpp"
#include "labelled_texts.h"

namespace chatsieve::tool {

struct Evaluation {
  size_t true_finds = 0;   // abusive texts flagged
  size_t false_finds = 0;  // other texts flagged
  size_t misses = 0;       // abusive texts not flagged
  size_t clean = 0;        // other texts not flagged
  // The words found in the texts flagged falsely, with how many such texts hold each,
  // most first.
  std::vector<std::pair<std::string, size_t>> false_find_words;
  std::vector<std::string> missed;  // a sample of the abusive texts not flagged

  double Precision() const { return Share(true_finds, true_finds + false_finds); }
  double Recall() const { return Share(true_finds, true_finds + misses); }
  double F1() const {
    const double sum = Precision() + Recall();
    return sum > 0 ? 2 * Precision() * Recall() / sum : 0;
  }
  double FalsePositiveRate() const { return Share(false_finds, false_finds + clean); }

 private:
  static double Share(size_t part, size_t whole) {
    return whole > 0 ? static_cast<double>(part) / static_cast<double>(whole) : 0;
  }
};

// Screens every text; keeps up to `misses_kept` of the texts missed, spread over all.
Evaluation Evaluate(const Filter& filter, const LabelledTexts& labelled, size_t misses_kept);

}  // namespace chatsieve::tool
