// The index: first UTF-16 unit of a word -> its bucket. Lookup is two array steps over
// the 16-bit key, and buckets are visited in ascending key order.
#pragma once

#include <array>
#include <cstdint>
#include <memory>

#include "legacy/bad_word_list.h"
#include "legacy/word_start_filter.h"
#include "legacy/word_trie.h"

namespace chatsieve {

class BadWordMap {
 public:
  const BadWordList* Find(char16_t key) const {
    const Page* page = pages_[key >> 8].get();
    return page != nullptr ? (*page)[key & 0xFF].get() : nullptr;
  }

  BadWordList* Find(char16_t key) {
    Page* page = pages_[key >> 8].get();
    return page != nullptr ? (*page)[key & 0xFF].get() : nullptr;
  }

  // The bucket of `key`, made empty if there was none. Throws std::bad_alloc.
  BadWordList& FindOrAdd(char16_t key);

  // Whether `bucket` holds a word of the same wide length as `word` that CompareNoCase
  // finds equal to it.
  bool HoldsEqual(const BadWordList& bucket, const BadWord& word) const;

  // Appends a word to the bucket of its first unit, which must exist.
  void Append(BadWordList& bucket, std::unique_ptr<BadWord> word);
  // Takes the word at `index` out of `bucket`; the others keep their order.
  std::unique_ptr<BadWord> Take(BadWordList& bucket, size_t index);

  void SortBuckets();
  void Clear();
  bool Empty() const { return bucket_count_ == 0; }

  // Visits the buckets in ascending key order.
  template <typename Visit>
  void ForEachBucket(Visit visit) const {
    for (size_t high = 0; high < pages_.size(); ++high) {
      if (!pages_[high]) continue;
      for (size_t low = 0; low < kPageSize; ++low) {
        if (const BadWordList* bucket = (*pages_[high])[low].get()) {
          visit(static_cast<char16_t>(high << 8 | low), *bucket);
        }
      }
    }
  }

  const WordTrie& Trie() const { return trie_; }
  const WordStartFilter& StartFilter() const { return start_filter_; }

  // How many units past its first one any word may look at: a restarted scan need
  // not go further back than this before a changed position.
  int32_t LongestReach() const { return longest_reach_; }

 private:
  static constexpr size_t kPageSize = 256;
  using Page = std::array<std::unique_ptr<BadWordList>, kPageSize>;

  std::array<std::unique_ptr<Page>, 256> pages_;
  size_t bucket_count_ = 0;
  WordTrie trie_;
  WordStartFilter start_filter_;
  int32_t longest_reach_ = 0;
};

}  // namespace chatsieve
