// Random word lists and texts over small alphabets.
#pragma once

#include <cstdint>
#include <random>
#include <string>
#include <vector>

#include "legacy/bad_chat_man.h"

namespace chatsieve::test_support {

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
inline BadChatMan RandomFilter(std::mt19937& random, const std::u16string& alphabet) {
  LegacyWordList list;
  std::uniform_int_distribution<int> count(1, 6);
  for (int i = count(random); i > 0; --i)
    list.AddWord(RandomText(random, alphabet, 1, 4).c_str());
  list.SortBuckets();
  for (int i = random() % 2 == 0 ? 0 : count(random) / 2 + 1; i > 0; --i) {
    list.AddWord(RandomText(random, alphabet, 1, 4).c_str());
  }
  return BadChatMan(std::move(list));
}

}  // namespace chatsieve::test_support
