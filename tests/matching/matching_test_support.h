// Plain models of the index and of the kept-character rule for the reference maskers
// that the fast code is held against, and random word lists and texts over small
// alphabets.
#pragma once

#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "api/bad_chat_man.h"

namespace chatsieve::test_support {

// What a reference masker leaves: the number of words masked and the masked text.
struct ReferenceMasked {
  int32_t words;
  std::u16string text;
};

// Every bucket's words in bucket order, as the index holds them when copied.
using ReferenceBuckets = std::map<char16_t, std::vector<std::u16string>>;

inline ReferenceBuckets CopyBuckets(const BadChatMan& filter) {
  ReferenceBuckets buckets;
  filter.WordMap().ForEachBucket([&](char16_t key, const BadWordList& bucket) {
    for (const auto& word : bucket.Words())
      buckets[key].emplace_back(word->WideText(), static_cast<size_t>(word->WideLength()));
  });
  return buckets;
}

inline char16_t Fold(char16_t unit) {
  return unit >= u'A' && unit <= u'Z' ? static_cast<char16_t>(unit + 0x20) : unit;
}

// The kept-character rule over the tests' alphabets (ASCII and Hangul syllables).
inline bool IsKept(char16_t unit) {
  return unit == u' ' || (unit >= u'0' && unit <= u'9') ||
         (Fold(unit) >= u'a' && Fold(unit) <= u'z') || (unit >= 0xAC00 && unit <= 0xD7A3);
}

// The units matched by the first word `matches` accepts, trying the bucket of `unit`
// in order and then, for an ASCII letter, the bucket of its other case.
template <typename Matches>
size_t FirstMatch(const ReferenceBuckets& buckets, char16_t unit, Matches matches) {
  std::vector<char16_t> keys = {unit};
  if (Fold(unit) >= u'a' && Fold(unit) <= u'z') keys.push_back(static_cast<char16_t>(unit ^ 0x20));
  for (const char16_t key : keys) {
    const auto bucket = buckets.find(key);
    if (bucket == buckets.end()) continue;
    for (const std::u16string& word : bucket->second) {
      if (const size_t matched = matches(word)) return matched;
    }
  }
  return 0;
}

inline std::u16string RandomText(std::mt19937& random, const std::u16string& alphabet,
                                 size_t min_length, size_t max_length) {
  std::uniform_int_distribution<size_t> length(min_length, max_length);
  std::uniform_int_distribution<size_t> pick(0, alphabet.size() - 1);
  std::u16string text(length(random), u'\0');
  for (char16_t& unit : text)
    unit = alphabet[pick(random)];
  return text;
}

// Up to six short words sorted as a load sorts them, and sometimes a few more added
// afterwards, which leaves their buckets in the order they were added.
inline void FillRandomly(BadChatMan& filter, std::mt19937& random, const std::u16string& alphabet) {
  std::uniform_int_distribution<int> count(1, 6);
  for (int i = count(random); i > 0; --i)
    filter.AddWord(RandomText(random, alphabet, 1, 4).c_str());
  filter.SortBuckets();
  for (int i = random() % 2 == 0 ? 0 : count(random) / 2 + 1; i > 0; --i) {
    filter.AddWord(RandomText(random, alphabet, 1, 4).c_str());
  }
}

}  // namespace chatsieve::test_support
