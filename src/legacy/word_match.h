// Which listed word a matcher finds at one text position. Every matcher asks here, so
// all of them take the same buckets in the same order and compare the same way.
//
// The index's start filter first turns away, from the first two units, most positions
// where no word starts. A position's unit picks the bucket of that unit and, for an
// ASCII letter, then the bucket of the same letter in the other case: a word is found
// whatever the case of its first letter, as of its others. Within a bucket the first
// entry in bucket order that matches wins. While a bucket tries longer words first,
// the index's trie finds that entry in one walk; otherwise the entries are compared in
// turn.
//
// A cursor stands on a unit of the text being scanned: `Unit()` gives it (0 past the
// end) and `Next()` moves to the following one. Cursors are small values, copied freely.
#pragma once

#include <cstdint>

#include "legacy/bad_word_map.h"
#include "wordfile/word_rules.h"

namespace chatsieve {

enum class WordEnd {
  // The word is compared up to its first zero unit and may end anywhere (masking).
  kAtZeroUnit,
  // The word is compared over its whole length, as CompareNoCase does: a zero unit
  // within it matches only the end of the text.
  kOverLength,
};

namespace word_match_detail {

template <typename Cursor>
int32_t LongestInTrie(const WordTrie& trie, const BadWordList& bucket, Cursor at, WordEnd rule) {
  WordTrie::NodeId node = bucket.TrieRoot();
  int32_t matched = 1;
  int32_t longest = 0;
  for (;;) {
    Cursor next = at;
    next.Next();
    const WordTrie::Ends& ends = trie.EndsAt(node);
    if (ends.anywhere > 0 ||
        (ends.at_text_end > 0 && (rule == WordEnd::kAtZeroUnit || next.Unit() == 0))) {
      longest = matched;
    }
    if (next.Unit() == 0) return longest;
    node = trie.Child(node, FoldAsciiCase(next.Unit()));
    if (node == WordTrie::kNoNode) return longest;
    at = next;
    ++matched;
  }
}

// The units of `text` that `word` matches from `at`, or 0.
template <typename Cursor>
int32_t CompareAt(const BadWord& word, Cursor at, WordEnd rule) {
  const char16_t* text = word.WideText();
  const int32_t length = rule == WordEnd::kAtZeroUnit ? word.TextLength() : word.WideLength();
  if (length == 0) return 0;
  for (int32_t i = 0;; ++i, at.Next()) {
    const char16_t unit = at.Unit();
    if (FoldAsciiCase(unit) != FoldAsciiCase(text[i])) return 0;
    if (unit == 0) return i;
    if (i + 1 == length) return length;
  }
}

template <typename Cursor>
int32_t FirstInBucket(const BadWordMap& map, const BadWordList& bucket, Cursor at, WordEnd rule) {
  if (bucket.LongestFirst()) return LongestInTrie(map.Trie(), bucket, at, rule);
  for (const auto& word : bucket.Words()) {
    if (const int32_t matched = CompareAt(*word, at, rule)) return matched;
  }
  return 0;
}

}  // namespace word_match_detail

// The number of units, from `at` on, of the word that the index finds there, or 0.
template <typename Cursor>
int32_t MatchAt(const BadWordMap& map, Cursor at, WordEnd rule) {
  const char16_t unit = at.Unit();
  Cursor next = at;
  next.Next();
  if (!map.StartFilter().MayStart(unit, next.Unit())) return 0;
  if (const BadWordList* bucket = map.Find(unit)) {
    if (const int32_t matched = word_match_detail::FirstInBucket(map, *bucket, at, rule)) {
      return matched;
    }
  }
  if (!IsAsciiLetter(unit)) return 0;
  const BadWordList* other_case = map.Find(static_cast<char16_t>(unit ^ 0x20));
  return other_case != nullptr ? word_match_detail::FirstInBucket(map, *other_case, at, rule) : 0;
}

// A cursor over a terminated array of units.
class ArrayCursor {
 public:
  explicit ArrayCursor(const char16_t* unit) : unit_(unit) {}
  char16_t Unit() const { return *unit_; }
  void Next() { ++unit_; }

 private:
  const char16_t* unit_;
};

}  // namespace chatsieve
