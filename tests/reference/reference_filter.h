// The filter's rules in their plainest form, for differential tests, fuzzers and
// benchmarks: every word compared at every position, one character at a time.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace chatsieve::reference {

struct Found {
  size_t begin;
  size_t end;
  uint32_t word;
  bool operator==(const Found&) const = default;
};

// Where a word's occurrence counts: anywhere; only where the character before it is
// not a letter, digit, syllable or jamo; or there and where it ends a word too, perhaps
// with a particle after it; or only where it ends a word so.
enum class Place { kAnywhere, kStart, kWhole, kEnd };

struct Words {
  std::vector<std::string> forbidden;  // UTF-8
  std::vector<std::string> allowed;    // UTF-8
  bool separators = false;
  // By word; a list shorter than the words leaves the rest anywhere, severity 2, no
  // category.
  std::vector<Place> forbidden_places, allowed_places;
  std::vector<int> severities;
  std::vector<std::string> categories;
  // The policy: words below the severity or outside the chosen categories do not count.
  int min_severity = 1;
  std::vector<std::string> chosen_categories;  // none: all
};

// Every occurrence in a UTF-8 or UTF-16 text, ordered by begin, end, word.
std::vector<Found> Find(const Words& words, const std::string& text);
std::vector<Found> Find(const Words& words, const std::u16string& text);

// The text with every character of every occurrence replaced by `mask`.
std::string Mask(const Words& words, const std::string& text, char32_t mask, bool keep_first);
std::u16string Mask(const Words& words, const std::u16string& text, char32_t mask, bool keep_first);

}  // namespace chatsieve::reference
