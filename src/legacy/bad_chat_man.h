// The legacy filter object: the words in force (the index and its files, dictionary/)
// with the legacy interface's detection and masking operations, each a call of the
// matching function that does the work over the read-only index.
#pragma once

#include <cstdint>

#include "legacy/detection.h"
#include "legacy/in_place_masking.h"
#include "legacy/masking.h"
#include "legacy/word_index.h"

namespace chatsieve {

class BadChatMan : public WordIndex {
 public:
  // Detection: 1 when the text holds a listed word, as written or stripped.
  int32_t FindBadWord(const char* text) const {
    return HoldsListedWord(*this, text, Scan::kAsWritten);
  }
  int32_t FindBadWordStripped(const char* text) const {
    return HoldsListedWord(*this, text, Scan::kStripped);
  }
  int32_t FindBadWordW(const char16_t* text) const {
    return HoldsListedWord(*this, text, Scan::kAsWritten);
  }
  int32_t FindBadWordStrippedW(const char16_t* text) const {
    return HoldsListedWord(*this, text, Scan::kStripped);
  }
  // The stripped text, then the text as written if that holds no word: the answer of
  // the two calls above in turn, from one conversion of the text.
  int32_t FindBadWordEitherWay(const char* text) const {
    return HoldsListedWord(*this, text, Scan::kEitherWay);
  }
  int32_t FindBadWordEitherWayW(const char16_t* text) const {
    return HoldsListedWord(*this, text, Scan::kEitherWay);
  }

  // Masking passes into a caller's buffer of `size` bytes or units: every unit takes
  // part when `keep_all` is non-zero, else only kept characters.
  int32_t ReplaceBadWords(const char* source, char* destination, int32_t size, char mask,
                          int32_t keep_all) const {
    return MaskWords(*this, source, destination, size, mask, UnitsOf(keep_all));
  }
  int32_t ReplaceBadWordsW(const char16_t* source, char16_t* destination, uint32_t size,
                           char16_t mask, int32_t keep_all) const {
    return MaskWords(*this, source, destination, size, mask, UnitsOf(keep_all));
  }
  int32_t ReplaceBadWordsBothWays(const char* source, char* intermediate, char* destination,
                                  int32_t size, char mask) const {
    return MaskWordsBothWays(*this, source, intermediate, destination, size, mask);
  }

  // In-place masking with '*'.
  int32_t ReplaceStripped(const char* source, char* destination) const {
    return MaskStrippedWords(*this, source, destination);
  }
  int32_t ReplaceStrippedW(const char16_t* source, char16_t* destination) const {
    return MaskStrippedWords(*this, source, destination);
  }

 private:
  static MaskedUnits UnitsOf(int32_t keep_all) {
    return keep_all != 0 ? MaskedUnits::kAll : MaskedUnits::kKeptOnly;
  }
};

}  // namespace chatsieve
