// The masking passes: a working copy of the caller's text, a chain of the units that
// take part, the masking core, and the working copy written to the destination of
// `size` bytes or units. The source is read in full before the destination is first
// written, so a caller may hand the same buffer as both.
#pragma once

#include <cstdint>

#include "legacy/legacy_keys.h"

namespace chatsieve {

enum class MaskedUnits {
  // Every unit takes part.
  kAll,
  // Only kept characters, and of those a space only after a unit that is not a space.
  kKeptOnly,
};

// 1 when the pass masked a word. The narrow pass leaves the bytes after the text alone;
// the wide pass zeroes the destination after the text up to `size`. A text that does
// not fit leaves an empty text.
int32_t MaskWords(const LegacyKeys& keys, const char* source, char* destination, int32_t size,
                  char mask, MaskedUnits units);
int32_t MaskWords(const LegacyKeys& keys, const char16_t* source, char16_t* destination,
                  uint32_t size, char16_t mask, MaskedUnits units);

// Both narrow passes of level 2, as written into `intermediate` (of `size` bytes) and
// then over kept units only into the destination, with the result of the two calls in
// turn; the intermediate bytes are skipped when decoding them would give back the same
// text.
int32_t MaskWordsBothWays(const LegacyKeys& keys, const char* source, char* intermediate,
                          char* destination, int32_t size, char mask);

}  // namespace chatsieve
