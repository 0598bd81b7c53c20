// The legacy interface's words: the records of a word-list file (or added one by one)
// in bucket order, and the count the file declared. A bucket holds the words that share
// their first UTF-16 unit exactly; buckets go in ascending order of that unit. Files
// load into it and are saved from it; matching works on its compiled form (legacy/).
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <unordered_set>
#include <vector>

#include "wordfile/bad_word.h"
#include "wordfile/word_file_reader.h"

namespace chatsieve {

class LegacyWordList {
 public:
  using Words = std::span<const std::unique_ptr<BadWord>>;

  // 1 when the list stored the entry or already holds an equal word (then the entry is
  // taken and destroyed); 0 when it refuses it, and the entry stays the caller's.
  int32_t InsertWord(std::unique_ptr<BadWord>& entry);
  // Stores a copy of a UTF-16 word and counts it; 0 when it is empty or refused.
  int32_t AddWord(const char16_t* text);
  // Puts every bucket in the order a completed load leaves it: longer words first.
  void SortBuckets();
  void ClearWords();

  // The count the last loaded file declared, adjusted by AddWord.
  int32_t WordCount() const { return word_count_; }

  // Visits the buckets in ascending order of their first unit: visit(unit, words).
  template <typename Visit>
  void ForEachBucket(Visit visit) const {
    for (const auto& [unit, words] : buckets_)
      visit(unit, Words(words));
  }

  // Word-list files. The loaders first empty the list; on failure they keep what they
  // read before it, unsorted.
  int32_t LoadWordFile(const char* path, int32_t collapse);
  int32_t LoadWordFileW(const char16_t* path, int32_t collapse);
  // Writes the words as a wide (or narrow) word-list file, replacing `path` only after
  // a complete write. 0 on any failure, with the reason in `why` when given.
  int32_t SaveWordFileW(const char16_t* path, std::string* why = nullptr) const;
  int32_t SaveWordFile(const char* path, std::string* why = nullptr) const;

 private:
  RecordSink StoreInList();

  std::map<char16_t, std::vector<std::unique_ptr<BadWord>>> buckets_;
  // What makes two words equal: the bucket, the length, and the units up to the first
  // zero unit with ASCII case folded.
  std::unordered_set<std::u16string> stored_;
  int32_t word_count_ = 0;
};

}  // namespace chatsieve
