#include "wordfile/legacy_word_list.h"

#include <algorithm>
#include <new>

#include "wordfile/word_rules.h"

namespace chatsieve {
namespace {

// Equal words, as CompareNoCase compares two words of one length, have equal keys.
std::u16string EqualityKeyOf(const BadWord& word) {
  const auto length = static_cast<uint32_t>(word.WideLength());
  std::u16string key{word.WideText()[0], static_cast<char16_t>(length >> 16),
                     static_cast<char16_t>(length)};
  const int32_t compared = std::min(word.TextLength() + 1, word.WideLength());
  for (int32_t i = 0; i < compared; ++i)
    key.push_back(FoldAsciiCase(word.WideText()[i]));
  return key;
}

// The count wraps as a 32-bit count would rather than overflow.
int32_t Adjusted(int32_t count, int32_t by) {
  return static_cast<int32_t>(static_cast<uint32_t>(count) + static_cast<uint32_t>(by));
}

}  // namespace

int32_t LegacyWordList::InsertWord(std::unique_ptr<BadWord>& entry) {
  if (!entry || entry->WideText() == nullptr) return 0;
  try {
    const auto [key, added] = stored_.insert(EqualityKeyOf(*entry));
    if (!added) {
      entry.reset();
      return 1;
    }
    try {
      buckets_[entry->WideText()[0]].push_back(std::move(entry));
    } catch (const std::bad_alloc&) {
      stored_.erase(key);
      throw;
    }
    return 1;
  } catch (const std::bad_alloc&) {
    return 0;
  }
}

int32_t LegacyWordList::AddWord(const char16_t* text) {
  if (text == nullptr) return 0;
  auto entry = std::unique_ptr<BadWord>(new (std::nothrow) BadWord);
  if (!entry || entry->BuildFromWide(text) <= 0) return 0;
  if (InsertWord(entry) == 0) return 0;
  word_count_ = Adjusted(word_count_, 1);
  return 1;
}

void LegacyWordList::SortBuckets() {
  for (auto& [unit, words] : buckets_) {
    std::sort(words.begin(), words.end(),
              [](const auto& a, const auto& b) { return LongerFirst(*a, *b); });
  }
}

void LegacyWordList::ClearWords() {
  buckets_.clear();
  stored_.clear();
}

RecordSink LegacyWordList::StoreInList() {
  return [this](std::unique_ptr<BadWord>& record) { return InsertWord(record) != 0; };
}

}  // namespace chatsieve
