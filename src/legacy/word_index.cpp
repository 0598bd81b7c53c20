#include "legacy/word_index.h"

#include <new>
#include <optional>

#include "wordfile/word_rules.h"

namespace chatsieve {
namespace {

// The position in `bucket` of the first word, in bucket order, with which `text` begins.
std::optional<size_t> FirstWordBeginning(const BadWordList& bucket, const char16_t* text) {
  const auto words = bucket.Words();
  for (size_t i = 0; i < words.size(); ++i) {
    if (CompareNoCase(text, words[i]->WideText(), words[i]->WideLength())) return i;
  }
  return std::nullopt;
}

// The count wraps as a 32-bit count would rather than overflow.
int32_t Adjusted(int32_t count, int32_t by) {
  return static_cast<int32_t>(static_cast<uint32_t>(count) + static_cast<uint32_t>(by));
}

}  // namespace

int32_t WordIndex::InsertWord(std::unique_ptr<BadWord>& entry) {
  if (!entry || entry->WideText() == nullptr) return 0;
  try {
    BadWordList& bucket = word_map_.FindOrAdd(entry->WideText()[0]);
    if (word_map_.HoldsEqual(bucket, *entry)) {
      entry.reset();
      return 1;
    }
    word_map_.Append(bucket, std::move(entry));
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int32_t WordIndex::AddWord(const char16_t* text) {
  if (text == nullptr) return 0;
  auto entry = std::unique_ptr<BadWord>(new (std::nothrow) BadWord);
  if (!entry || entry->BuildFromWide(text) <= 0) return 0;
  if (InsertWord(entry) == 0) return 0;
  word_count_ = Adjusted(word_count_, 1);
  return 1;
}

int32_t WordIndex::RemoveWord(const char16_t* text) {
  if (text == nullptr || text[0] == 0) return 0;
  // The bucket is found by the text's first unit exactly, as the index stores it.
  BadWordList* bucket = word_map_.Find(text[0]);
  if (bucket == nullptr) return 0;
  const auto index = FirstWordBeginning(*bucket, text);
  if (!index) return 0;
  word_map_.Take(*bucket, *index);
  word_count_ = Adjusted(word_count_, -1);
  return 1;
}

const BadWord* WordIndex::FindWord(const char16_t* text) const {
  if (text == nullptr) return nullptr;
  const BadWordList* bucket = word_map_.Find(text[0]);
  if (bucket == nullptr) return nullptr;
  const auto index = FirstWordBeginning(*bucket, text);
  return index ? bucket->Words()[*index].get() : nullptr;
}

// The index empties itself first and sorts its buckets only when the whole load
// succeeded: a failed load keeps the words read before the failure, unsorted.
int32_t WordIndex::LoadWordFile(const char* path, int32_t collapse) {
  if (!word_map_.Empty()) ClearWords();
  if (!ReadNarrowWordFile(path, collapse != 0, word_count_, StoreInIndex())) return 0;
  SortBuckets();
  return 1;
}

int32_t WordIndex::LoadWordFileW(const char16_t* path, int32_t /*collapse*/) {
  if (!word_map_.Empty()) ClearWords();
  if (!ReadWideWordFile(path, word_count_, StoreInIndex())) return 0;
  SortBuckets();
  return 1;
}

RecordSink WordIndex::StoreInIndex() {
  return [this](std::unique_ptr<BadWord>& record) { return InsertWord(record) != 0; };
}

}  // namespace chatsieve
