// What the word-file tests share: whole lists as files, and the words a filter object holds.
#pragma once

#include <initializer_list>
#include <string>
#include <vector>

#include "support/word_file_builder.h"
#include "wordfile/legacy_word_list.h"
#include "wordfile/word_file_format.h"

namespace chatsieve::testing {

inline WordFileBuilder Narrow() {
  return WordFileBuilder(word_file::RecordMask());
}

inline WordFileBuilder Wide() {
  return WordFileBuilder();
}

// A narrow file declaring `count` records and holding `records`, separated as usual.
inline std::string NarrowList(int32_t count, std::initializer_list<std::string> records) {
  WordFileBuilder file = Narrow();
  file.NarrowHead(count);
  for (const std::string& record : records) {
    if (&record != records.begin()) file.Separator();
    file.NarrowRecord(record);
  }
  return file.Data();
}

inline std::string WideList(int32_t count, std::initializer_list<std::u16string> records) {
  WordFileBuilder file = Wide();
  file.WideHead(count);
  for (const std::u16string& record : records)
    file.WideRecord(record);
  return file.Data();
}

// The tests' own paths are ASCII, so each byte is one unit.
inline std::u16string WidePath(const std::string& path) {
  return std::u16string(path.begin(), path.end());
}

// Every stored word's wide text, buckets in ascending key order, each in bucket order.
inline std::vector<std::u16string> IndexWords(const LegacyWordList& filter) {
  std::vector<std::u16string> words;
  filter.ForEachBucket([&words](char16_t, LegacyWordList::Words bucket) {
    for (const auto& word : bucket)
      words.emplace_back(word->WideText(), static_cast<size_t>(word->WideLength()));
  });
  return words;
}

}  // namespace chatsieve::testing
