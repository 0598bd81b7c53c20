#include "reference_detector.h"

#include <algorithm>
#include <memory>

#include "dictionary/word_rules.h"
#include "matching/text_preparation.h"
#include "platform/cp949.h"

namespace chatsieve::bench {

ReferenceDetector::ReferenceDetector(const std::vector<std::u16string>& words) {
  for (const auto& word : words) {
    if (word.empty()) continue;
    auto& bucket = buckets_[word[0]];
    const auto length = static_cast<int32_t>(word.size());
    const bool stored = std::any_of(bucket.begin(), bucket.end(), [&](const auto& other) {
      return other.size() == word.size() && CompareNoCase(other.c_str(), word.c_str(), length);
    });
    if (!stored) bucket.push_back(word);
  }
  for (auto& [key, bucket] : buckets_) {
    std::sort(bucket.begin(), bucket.end(),
              [](const auto& a, const auto& b) { return a.size() > b.size(); });
  }
}

int32_t ReferenceDetector::DetectAtLevel(int32_t level, const char* text) const {
  if (level == 1) return FindNarrow(text, false);
  if (level != 2) return 0;
  if (const int32_t found = FindNarrow(text, true)) return found;
  return FindNarrow(text, false);
}

int32_t ReferenceDetector::DetectAtLevel(int32_t level, const char16_t* text) const {
  if (level == 1) return FindWide(text, false);
  if (level != 2) return 0;
  if (const int32_t found = FindWide(text, true)) return found;
  return FindWide(text, false);
}

int32_t ReferenceDetector::FindNarrow(const char* text, bool stripped) const {
  if (text == nullptr || text[0] == 0 || buckets_.empty()) return 0;
  const int32_t needed = platform::DecodeCp949(text, -1, nullptr, 0);
  if (needed <= 0) return 0;
  auto prepared = std::make_unique<char16_t[]>(static_cast<size_t>(needed));
  const int32_t count = platform::DecodeCp949(text, -1, prepared.get(), needed);
  if (count <= 0) return 0;
  return Scan(prepared.get(), static_cast<size_t>(count) - 1, stripped);
}

int32_t ReferenceDetector::FindWide(const char16_t* text, bool stripped) const {
  if (text == nullptr || text[0] == 0 || buckets_.empty()) return 0;
  const size_t length = std::char_traits<char16_t>::length(text);
  auto prepared = std::make_unique<char16_t[]>(length + 1);
  std::copy_n(text, length + 1, prepared.get());
  return Scan(prepared.get(), length, stripped);
}

int32_t ReferenceDetector::Scan(char16_t* prepared, size_t length, bool stripped) const {
  FoldUpper(prepared);
  std::unique_ptr<char16_t[]> strip_copy;
  const char16_t* scanned = prepared;
  if (stripped) {
    strip_copy = std::make_unique<char16_t[]>(length + 1);
    size_t written = 0;
    for (size_t read = 0; read < length; ++read) {
      const char16_t unit = prepared[read];
      if (read > 0 && unit == u' ' && strip_copy[written - 1] == u' ') continue;
      if (read == 0 || IsKeptChar(unit)) strip_copy[written++] = unit;
    }
    strip_copy[written] = 0;
    scanned = strip_copy.get();
  }
  for (const char16_t* at = scanned; *at != 0; ++at) {
    if (MatchesAt(at, *at)) return 1;
    if (IsAsciiLetter(*at) && MatchesAt(at, static_cast<char16_t>(*at ^ 0x20))) return 1;
  }
  return 0;
}

bool ReferenceDetector::MatchesAt(const char16_t* text, char16_t key) const {
  const auto bucket = buckets_.find(key);
  if (bucket == buckets_.end()) return false;
  return std::any_of(bucket->second.begin(), bucket->second.end(), [&](const auto& word) {
    return CompareNoCase(text, word.c_str(), static_cast<int32_t>(word.size()));
  });
}

}  // namespace chatsieve::bench
