// The straightforward detector the library is measured against: buckets in a
// std::map, fresh heap copies of the text on every call, and every word of a bucket
// compared in turn, step by step as the detection rule is stated (with the lookup of
// the other-case bucket for ASCII letters, so that both answer alike).
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

namespace chatsieve::bench {

class ReferenceDetector {
 public:
  // The words as a load leaves them: one bucket per first unit, equal words once,
  // longer words first.
  explicit ReferenceDetector(const std::vector<std::u16string>& words);

  int32_t DetectAtLevel(int32_t level, const char* text) const;
  int32_t DetectAtLevel(int32_t level, const char16_t* text) const;

 private:
  int32_t FindNarrow(const char* text, bool stripped) const;
  int32_t FindWide(const char16_t* text, bool stripped) const;
  // Folds the prepared text, strips it when asked, and scans it.
  int32_t Scan(char16_t* prepared, size_t length, bool stripped) const;
  bool MatchesAt(const char16_t* text, char16_t key) const;

  std::map<char16_t, std::vector<std::u16string>> buckets_;
};

}  // namespace chatsieve::bench
