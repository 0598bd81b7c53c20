// The legacy filter object: the words in force (the word list and its files,
// wordfile/) and their compiled form (legacy/), with the legacy interface's detection
// and masking operations, each a call of the legacy function that does the work over
// the compiled words. Every change of the words compiles them anew.
#pragma once

#include <cstdint>
#include <utility>

#include "legacy/detecting.h"
#include "legacy/legacy_keys.h"
#include "legacy/masking_passes.h"
#include "legacy/stripped_masking.h"
#include "wordfile/legacy_word_list.h"

namespace chatsieve {

class BadChatMan {
 public:
  BadChatMan() = default;
  // Throws std::bad_alloc.
  explicit BadChatMan(LegacyWordList words) : words_(std::move(words)) { Compile(); }

  // The loaders of LegacyWordList; throw std::bad_alloc.
  int32_t LoadWordFile(const char* path, int32_t collapse) {
    const int32_t loaded = words_.LoadWordFile(path, collapse);
    Compile();
    return loaded;
  }
  int32_t LoadWordFileW(const char16_t* path, int32_t collapse) {
    const int32_t loaded = words_.LoadWordFileW(path, collapse);
    Compile();
    return loaded;
  }
  void ClearWords() {
    words_.ClearWords();
    Compile();
  }

  const LegacyWordList& Words() const { return words_; }
  const LegacyKeys& Keys() const { return keys_; }

  // Detection: 1 when the text holds a listed word, as written or stripped.
  int32_t FindBadWord(const char* text) const {
    return HoldsListedWord(keys_, text, Scan::kAsWritten);
  }
  int32_t FindBadWordStripped(const char* text) const {
    return HoldsListedWord(keys_, text, Scan::kStripped);
  }
  int32_t FindBadWordW(const char16_t* text) const {
    return HoldsListedWord(keys_, text, Scan::kAsWritten);
  }
  int32_t FindBadWordStrippedW(const char16_t* text) const {
    return HoldsListedWord(keys_, text, Scan::kStripped);
  }
  // The stripped text, then the text as written if that holds no word: the answer of
  // the two calls above in turn, from one conversion of the text.
  int32_t FindBadWordEitherWay(const char* text) const {
    return HoldsListedWord(keys_, text, Scan::kEitherWay);
  }
  int32_t FindBadWordEitherWayW(const char16_t* text) const {
    return HoldsListedWord(keys_, text, Scan::kEitherWay);
  }

  // Masking passes into a caller's buffer of `size` bytes or units: every unit takes
  // part when `keep_all` is non-zero, else only kept characters.
  int32_t ReplaceBadWords(const char* source, char* destination, int32_t size, char mask,
                          int32_t keep_all) const {
    return MaskWords(keys_, source, destination, size, mask, UnitsOf(keep_all));
  }
  int32_t ReplaceBadWordsW(const char16_t* source, char16_t* destination, uint32_t size,
                           char16_t mask, int32_t keep_all) const {
    return MaskWords(keys_, source, destination, size, mask, UnitsOf(keep_all));
  }
  int32_t ReplaceBadWordsBothWays(const char* source, char* intermediate, char* destination,
                                  int32_t size, char mask) const {
    return MaskWordsBothWays(keys_, source, intermediate, destination, size, mask);
  }

  // In-place masking with '*'.
  int32_t ReplaceStripped(const char* source, char* destination) const {
    return MaskStrippedWords(keys_, source, destination);
  }
  int32_t ReplaceStrippedW(const char16_t* source, char16_t* destination) const {
    return MaskStrippedWords(keys_, source, destination);
  }

 private:
  static MaskedUnits UnitsOf(int32_t keep_all) {
    return keep_all != 0 ? MaskedUnits::kAll : MaskedUnits::kKeptOnly;
  }

  // Words that could not be compiled match nothing rather than what they replaced.
  void Compile() {
    try {
      keys_ = LegacyKeys(words_);
    } catch (...) {
      keys_ = LegacyKeys();
      throw;
    }
  }

  LegacyWordList words_;
  LegacyKeys keys_;
};

}  // namespace chatsieve
