// The words in force: the index, the count the last loaded file declared, and the
// word-list files they are loaded from and written to. It knows nothing of matching:
// detection and masking (matching/) only read it.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "legacy/bad_word_map.h"
#include "wordfile/bad_word.h"
#include "wordfile/word_file_reader.h"

namespace chatsieve {

class WordIndex {
 public:
  // Index.
  const BadWordList* FindBucket(char16_t unit) const { return word_map_.Find(unit); }
  // 1 when the index stored the entry or already holds an equal word (then the entry
  // is taken and destroyed); 0 when it refuses it, and the entry stays the caller's.
  int32_t InsertWord(std::unique_ptr<BadWord>& entry);
  void ClearWords() { word_map_.Clear(); }
  void SortBuckets() { word_map_.SortBuckets(); }
  int32_t AddWord(const char16_t* text);
  int32_t RemoveWord(const char16_t* text);
  // The first stored word, in bucket order, with which the text begins; or null.
  const BadWord* FindWord(const char16_t* text) const;

  const BadWordMap& WordMap() const { return word_map_; }
  // The count the last loaded file declared, adjusted by AddWord and RemoveWord.
  int32_t WordCount() const { return word_count_; }

  // Word-list files. The loaders first empty the index; on failure they keep what they
  // read before it, unsorted.
  int32_t LoadWordFile(const char* path, int32_t collapse);
  int32_t LoadWordFileW(const char16_t* path, int32_t collapse);
  // Writes the words as a wide (or narrow) word-list file, replacing `path` only after
  // a complete write. 0 on any failure, with the reason in `why` when given.
  int32_t SaveWordFileW(const char16_t* path, std::string* why = nullptr) const;
  int32_t SaveWordFile(const char* path, std::string* why = nullptr) const;

 private:
  RecordSink StoreInIndex();

  BadWordMap word_map_;
  int32_t word_count_ = 0;
};

}  // namespace chatsieve
