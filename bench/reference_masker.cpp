#include "reference_masker.h"

#include <algorithm>
#include <cstring>
#include "api/bad_chat_man.h"
#include "dictionary/word_rules.h"
#include "matching/text_preparation.h"
#include "platform/cp949.h"

namespace chatsieve::bench {
namespace {

// The units of the chain from `at` that `word` matches, up to its terminator, or 0.
size_t Compare(const std::u16string& word, ReferenceMasker::Chain::iterator at,
               ReferenceMasker::Chain::iterator end) {
  const char16_t* unit = word.c_str();
  for (size_t matched = 1; at != end; ++at, ++unit, ++matched) {
    if (FoldAsciiCase(**at) != FoldAsciiCase(*unit)) return 0;
    if (unit[1] == 0) return matched;
  }
  return 0;
}

}  // namespace

ReferenceMasker::ReferenceMasker(const BadChatMan& filter) {
  filter.WordMap().ForEachBucket([&](char16_t key, const BadWordList& bucket) {
    for (const auto& word : bucket.Words()) {
      buckets_[key].emplace_back(word->WideText(), static_cast<size_t>(word->WideLength()));
    }
  });
}

int32_t ReferenceMasker::Mask(int32_t level, const char* text, char* destination, int32_t capacity,
                              char mask) const {
  if (level == 1) return Pass(text, destination, capacity, mask, true);
  if (level != 2 || capacity < 0) return 0;
  std::vector<char> intermediate(static_cast<size_t>(capacity));
  const int32_t as_written = Pass(text, intermediate.data(), capacity, mask, true);
  return as_written | Pass(intermediate.data(), destination, capacity, mask, false);
}

int32_t ReferenceMasker::MaskW(int32_t level, const char16_t* text, char16_t* destination,
                               uint32_t capacity, char16_t mask) const {
  if (level == 1) return PassW(text, destination, capacity, mask, true);
  if (level != 2) return 0;
  std::vector<char16_t> intermediate(capacity);
  const int32_t as_written = PassW(text, intermediate.data(), capacity, mask, true);
  return as_written | PassW(intermediate.data(), destination, capacity, mask, false);
}

int32_t ReferenceMasker::Pass(const char* source, char* destination, int32_t size, char mask,
                              bool keep_all) const {
  if (destination == nullptr || size == 0) return 0;
  destination[0] = 0;
  if (source == nullptr || source[0] == 0) return 0;
  const size_t n = std::strlen(source) + 1;
  if (size < 0 || static_cast<size_t>(size) < n) return 0;
  std::u16string working(n, u'\0');
  if (platform::DecodeCp949(source, -1, working.data(), static_cast<int32_t>(n)) <= 0) return 0;
  const auto byte = static_cast<unsigned char>(mask);
  const auto widened = static_cast<char16_t>(byte < 0x80 ? byte : 0xFF00 | byte);
  const int32_t masked = MaskChain(working, keep_all, widened) > 0 ? 1 : 0;
  if (platform::EncodeCp949(working.c_str(), -1, destination, size) == 0) destination[0] = 0;
  return masked;
}

int32_t ReferenceMasker::PassW(const char16_t* source, char16_t* destination, uint32_t size,
                               char16_t mask, bool keep_all) const {
  if (destination == nullptr || size == 0) return 0;
  destination[0] = 0;
  if (source == nullptr || source[0] == 0) return 0;
  std::u16string working(source);
  if (size < working.size() + 1) return 0;
  const int32_t masked = MaskChain(working, keep_all, mask) > 0 ? 1 : 0;
  const size_t length = std::char_traits<char16_t>::length(working.c_str());
  std::copy_n(working.c_str(), length, destination);
  std::fill(destination + length, destination + size, u'\0');
  return masked;
}

size_t ReferenceMasker::MatchInBucket(char16_t key, Chain::iterator at, Chain::iterator end) const {
  const auto bucket = buckets_.find(key);
  if (bucket == buckets_.end()) return 0;
  for (const auto& word : bucket->second) {
    if (word.empty() || word[0] == 0) continue;
    if (const size_t matched = Compare(word, at, end)) return matched;
  }
  return 0;
}

int32_t ReferenceMasker::MaskChain(std::u16string& text, bool keep_all, char16_t mask) const {
  Chain chain;
  char16_t last_chained = 0;
  for (char16_t& unit : text) {
    if (unit == 0) break;
    if (!keep_all && (!IsKeptChar(unit) || (unit == u' ' && last_chained == u' '))) continue;
    chain.push_back(&unit);
    last_chained = unit;
  }
  int32_t words = 0;
  auto at = chain.begin();
  while (at != chain.end()) {
    // The exact-case bucket first, then the other case of an ASCII letter.
    const char16_t unit = **at;
    size_t matched = MatchInBucket(unit, at, chain.end());
    if (matched == 0 && IsAsciiLetter(unit)) {
      matched = MatchInBucket(static_cast<char16_t>(unit ^ 0x20), at, chain.end());
    }
    if (matched == 0) {
      ++at;
      continue;
    }
    for (; matched > 0; --matched) {
      **at = mask;
      at = chain.erase(at);
    }
    ++words;
    at = chain.begin();
  }
  return words;
}

}  // namespace chatsieve::bench
