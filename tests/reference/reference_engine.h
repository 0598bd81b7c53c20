// The legacy screening rules written as plainly as they read, for every differential
// test, fuzzer and benchmark of the legacy interface to be held against: buckets in a
// std::map, fresh copies of the text on every call, every word of a bucket compared in
// turn, the masking walk starting over from the first unit after every masked word. It
// shares nothing with the library but the character tables (the code page 949
// converter, the Unicode letter table) and copies its words from a legacy word list.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "wordfile/legacy_word_list.h"

namespace chatsieve::reference {

class ReferenceEngine {
 public:
  // The list's words, bucket by bucket in bucket order, and its word count.
  explicit ReferenceEngine(const LegacyWordList& words);

  // Detection at a filter level (1 as written, 2 stripped or as written, else off).
  int32_t Detect(int32_t level, const char* text) const;
  int32_t Detect(int32_t level, const char16_t* text) const;
  // Whether the text holds a listed word, as written or stripped.
  bool Holds(const std::u16string& text, bool stripped) const;

  // One masking pass over every unit (`keep_all`) or over kept characters only.
  int32_t Pass(const char* source, char* destination, int32_t size, char mask, bool keep_all) const;
  int32_t Pass(const char16_t* source, char16_t* destination, uint32_t size, char16_t mask,
               bool keep_all) const;
  // The passes a filter level runs: level 1 one pass, level 2 both in turn.
  int32_t Mask(int32_t level, const char* text, char* destination, int32_t capacity,
               char mask) const;
  int32_t Mask(int32_t level, const char16_t* text, char16_t* destination, uint32_t capacity,
               char16_t mask) const;

  // In-place masking with '*': words found in the stripped text, masked where they came
  // from.
  int32_t MaskInPlace(const char* source, char* destination) const;
  int32_t MaskInPlace(const char16_t* source, char16_t* destination) const;

 private:
  // The units of `text` from `at` that the first matching word of the bucket of the
  // unit there, then of its other ASCII case, matches; 0 when none does. A word is
  // compared up to its first zero unit (`to_zero_unit`) or over its whole length, where
  // a zero unit matches only the end of the text.
  size_t MatchAt(const std::vector<char16_t>& text, size_t at, bool to_zero_unit) const;
  // Walks the units that take part (`units`, from `positions` of the working text): at
  // each a word is looked for, masked in the working text, its units taken out, and the
  // walk starts over from the first unit. 1 when a word was masked.
  int32_t MaskWalk(std::u16string& working, std::vector<size_t> positions,
                   std::vector<char16_t> units, bool to_zero_unit, char16_t mask) const;
  int32_t MaskWorking(std::u16string& working, bool keep_all, char16_t mask) const;
  int32_t MaskStripped(std::u16string& working) const;

  std::map<char16_t, std::vector<std::u16string>> buckets_;
  int32_t word_count_;
};

}  // namespace chatsieve::reference
