// Legacy detection: does any listed word occur in a text, as written or stripped, and
// which of those scans a filter level runs. 0 for a null or empty text and for words
// whose declared count is not positive.
#pragma once

#include <cstdint>

#include "legacy/legacy_keys.h"

namespace chatsieve {

enum class Scan {
  kAsWritten,
  kStripped,
  // The stripped text, then the text as written if that holds no word.
  kEitherWay,
};

// 1 when the code page 949 or UTF-16 text holds a listed word, scanned as `scan` says.
int32_t HoldsListedWord(const LegacyKeys& keys, const char* text, Scan scan);
int32_t HoldsListedWord(const LegacyKeys& keys, const char16_t* text, Scan scan);

// Level 1 the text as written; level 2 the stripped text first and, only if that holds
// no word, the text as written; any other level none.
int32_t DetectAtLevel(const LegacyKeys& keys, int32_t level, const char* text);
int32_t DetectAtLevel(const LegacyKeys& keys, int32_t level, const char16_t* text);

}  // namespace chatsieve
