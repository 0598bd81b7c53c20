// The Korean options in their plainest form, for the fast path to be checked against:
// each rule a direct loop over a copy of the text, spellings looked up in a table of
// every syllable, forms enumerated in full, and matching by comparing every key at
// every position.
#pragma once

#include <cstddef>
#include <cstdint>
#include <set>
#include <string>
#include <tuple>
#include <vector>

namespace chatsieve::reference {

// A character as the options read it, with the original characters [begin, end) it
// stands for.
struct ReadChar {
  char32_t code_point;
  size_t begin;
  size_t end;
};

// The text (code points) as the options read it.
std::vector<ReadChar> ReadKorean(uint32_t options, const std::u32string& text);

// Every key a listed word is found by: the word as read, then its derived forms, each
// with whether it counts only as a whole Latin token.
std::vector<std::pair<std::u32string, bool>> KeysOfWord(uint32_t options,
                                                        const std::u32string& word, bool allowed);

using Find = std::tuple<size_t, size_t, uint32_t>;  // begin, end (characters), word

// Every occurrence of a forbidden word no allowed word's occurrence covers.
std::set<Find> FindKorean(uint32_t options, const std::vector<std::u32string>& words,
                          const std::vector<std::u32string>& allowed, const std::u32string& text);

// The text with every original character read into an uncovered occurrence replaced
// by '*'; the characters an occurrence skipped are kept.
std::u32string MaskKorean(uint32_t options, const std::vector<std::u32string>& words,
                          const std::vector<std::u32string>& allowed, const std::u32string& text);

}  // namespace chatsieve::reference
