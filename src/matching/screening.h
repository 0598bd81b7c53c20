// Screening a text against compiled words: is there a word, where is every one, and the
// text with them masked. One body serves UTF-8 and UTF-16 through the encoding's traits.
//
// An occurrence of a forbidden word is reported unless it lies wholly inside an
// occurrence of an allowed word. Positions are in the caller's units.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "dictionary/key_index.h"
#include "matching/match_options.h"

namespace chatsieve {

struct ScreeningWords {
  const KeyIndex& forbidden;
  const KeyIndex& allowed;
  MatchOptions options;
};

struct Occurrence {
  size_t begin;
  size_t end;
  uint32_t word;
};

enum class MaskStyle {
  kWhole,
  kKeepFirst,
};

template <typename Encoding>
bool HoldsWord(const ScreeningWords& words, std::basic_string_view<typename Encoding::Unit> text);

// Every occurrence, ordered by begin, end and word, into `out` (cleared first).
template <typename Encoding>
void FindWords(const ScreeningWords& words, std::basic_string_view<typename Encoding::Unit> text,
               std::vector<Occurrence>& out);

// Writes the text with every character of every occurrence replaced by `mask` into `out`
// (cleared first). Returns true when anything was masked.
template <typename Encoding>
bool MaskWords(const ScreeningWords& words, std::basic_string_view<typename Encoding::Unit> text,
               char32_t mask, MaskStyle style, std::basic_string<typename Encoding::Unit>& out);

}  // namespace chatsieve
