// The filter object: the word index and the word count, with every operation the
// library performs on them. Index and file operations live in dictionary/, detection
// and masking in matching/.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "dictionary/bad_word.h"
#include "dictionary/bad_word_map.h"

namespace chatsieve {

class BadChatMan {
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
  int32_t ReadWord(platform::TextModeReader& stream, int32_t collapse);
  int32_t ReadWordW(platform::RawFileReader& stream);
  // Writes the words as a wide (or narrow) word-list file, replacing `path` only after
  // a complete write. 0 on any failure, with the reason in `why` when given.
  int32_t SaveWordFileW(const char16_t* path, std::string* why = nullptr) const;
  int32_t SaveWordFile(const char* path, std::string* why = nullptr) const;

  // Detection: 1 when the text holds a listed word, as written or stripped.
  int32_t FindBadWord(const char* text) const;
  int32_t FindBadWordStripped(const char* text) const;
  int32_t FindBadWordW(const char16_t* text) const;
  int32_t FindBadWordStrippedW(const char16_t* text) const;
  // The stripped text, then the text as written if that holds no word: the answer of
  // the two calls above in turn, from one conversion of the text.
  int32_t FindBadWordEitherWay(const char* text) const;
  int32_t FindBadWordEitherWayW(const char16_t* text) const;

  // Masking passes into a caller's buffer of `size` bytes or units.
  int32_t ReplaceBadWords(const char* source, char* destination, int32_t size, char mask,
                          int32_t keep_all) const;
  int32_t ReplaceBadWordsW(const char16_t* source, char16_t* destination, uint32_t size,
                           char16_t mask, int32_t keep_all) const;
  // Both narrow passes of level 2, as written into `intermediate` (of `size` bytes) and
  // then stripped into the destination, with the result of the two calls in turn; the
  // intermediate bytes are skipped when decoding them would give back the same text.
  int32_t ReplaceBadWordsBothWays(const char* source, char* intermediate, char* destination,
                                  int32_t size, char mask) const;

  // In-place masking with '*': the destination receives the whole result and may be
  // the source's own buffer.
  int32_t ReplaceStripped(const char* source, char* destination) const;
  int32_t ReplaceStrippedW(const char16_t* source, char16_t* destination) const;

 private:
  BadWordMap word_map_;
  int32_t word_count_ = 0;
};

}  // namespace chatsieve
