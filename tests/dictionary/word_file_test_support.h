// What the word-file tests look at: the words of a filter object in index order.
#pragma once

#include <string>
#include <vector>

#include "dictionary/bad_chat_man.h"

namespace chatsieve::testing {

// The tests' own paths are ASCII, so each byte is one unit.
inline std::u16string WidePath(const std::string& path) {
  return std::u16string(path.begin(), path.end());
}

// Every stored word's wide text, buckets in ascending key order, each in bucket order.
inline std::vector<std::u16string> IndexWords(const BadChatMan& filter) {
  std::vector<std::u16string> words;
  filter.WordMap().ForEachBucket([&words](char16_t, const BadWordList& bucket) {
    for (const auto& word : bucket.Words())
      words.emplace_back(word->WideText(), static_cast<size_t>(word->WideLength()));
  });
  return words;
}

}  // namespace chatsieve::testing
