// A quick, conservative answer to "can a listed word start here?", from the first two
// units at a text position with ASCII case folded. It never says no where a word
// starts, so a matcher may skip every position it turns away; a yes only sends the
// matcher on to the buckets. Most text positions start no word, and these bit tests
// touch far less memory than a bucket and its trie.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "wordfile/word_rules.h"

namespace chatsieve {

class WordStartFilter {
 public:
  // Records a word by its units before the first zero unit (`text_length` of them).
  // Throws std::bad_alloc.
  void Add(const char16_t* text, int32_t text_length);

  bool MayStart(char16_t unit, char16_t next) const {
    const char16_t first = FoldAsciiCase(unit);
    if (IsSet(short_words_.data(), first)) return true;
    if (pair_bits_.empty()) return false;
    return IsSet(pair_bits_.data(), PairSlot(first, FoldAsciiCase(next)));
  }

  // Forgetting single words is not possible; the index clears the filter with itself.
  void Clear();

 private:
  static bool IsSet(const uint64_t* bits, size_t bit) { return (bits[bit >> 6] >> (bit & 63)) & 1; }
  static void Set(uint64_t* bits, size_t bit) { bits[bit >> 6] |= uint64_t{1} << (bit & 63); }

  size_t PairSlot(char16_t first, char16_t second) const {
    const uint64_t key = (uint64_t{first} << 16) | second;
    return static_cast<size_t>((key * 0x9E3779B97F4A7C15ULL) >> pair_shift_);
  }

  void Rebuild(size_t bit_count);

  // Words of one unit before their first zero unit: they start wherever that unit
  // stands, whatever follows.
  std::array<uint64_t, 65536 / 64> short_words_{};
  // The first two units of every longer word, hashed into a bit set kept at least
  // kBitsPerPair times as large as the number of words.
  std::vector<uint64_t> pair_bits_;
  std::vector<uint32_t> pairs_;
  int pair_shift_ = 64;
};

}  // namespace chatsieve
