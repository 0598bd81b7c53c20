// The legacy words compiled for matching: a KeyIndex over their UTF-16 units (each unit
// a code point of its own, ASCII letters folded), where each key's end leads to what the
// legacy rules need of its word. Built once per load, then only read.
#pragma once

#include <cstdint>
#include <vector>

#include "engine/key_index.h"
#include "wordfile/legacy_word_list.h"

namespace chatsieve {

// How a word's end is compared.
enum class WordEnd {
  // Up to its first zero unit; it may end anywhere (masking).
  kAtZeroUnit,
  // Over its whole length: a zero unit within it matches only the end of the text.
  kOverLength,
};

// A word as the keys know it. A KeyEnd's `word` is the word's place in bucket order,
// which ranks the words of one bucket.
struct LegacyWord {
  char16_t first_unit = 0;  // as written: it names the word's bucket
  bool holds_zero_unit = false;
};

class LegacyKeys {
 public:
  LegacyKeys() = default;
  // Throws std::bad_alloc and std::length_error.
  explicit LegacyKeys(const LegacyWordList& words);

  const KeyIndex& Index() const { return index_; }
  const LegacyWord& Word(uint32_t rank) const { return words_[rank]; }
  int32_t WordCount() const { return word_count_; }
  // How many units past its first one any word may look at: a restarted scan need not
  // go further back than this before a changed position.
  int32_t LongestReach() const { return longest_reach_; }

 private:
  KeyIndex index_;
  std::vector<LegacyWord> words_;
  int32_t word_count_ = 0;
  int32_t longest_reach_ = 0;
};

}  // namespace chatsieve
