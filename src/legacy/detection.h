// Detection: does any listed word occur in a text, as written or stripped. 0 for a
// null or empty text and for an index whose word count is not positive.
#pragma once

#include <cstdint>

#include "legacy/word_index.h"

namespace chatsieve {

enum class Scan {
  kAsWritten,
  kStripped,
  // The stripped text, then the text as written if that holds no word.
  kEitherWay,
};

// 1 when the code page 949 or UTF-16 text holds a listed word, scanned as `scan` says.
int32_t HoldsListedWord(const WordIndex& index, const char* text, Scan scan);
int32_t HoldsListedWord(const WordIndex& index, const char16_t* text, Scan scan);

}  // namespace chatsieve
