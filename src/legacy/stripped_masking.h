// In-place masking: listed words are found in the stripped text (kept characters only,
// runs of spaces collapsed) and masked with '*' in exactly the units that the matched
// stripped units came from; the characters between stay. The destination receives the
// whole result and may be the source's own buffer.
#pragma once

#include <cstdint>

#include "legacy/legacy_keys.h"

namespace chatsieve {

// 1 when a word was masked. 0, with the destination untouched, for a null or empty
// text or words whose declared count is not positive.
int32_t MaskStrippedWords(const LegacyKeys& keys, const char* source, char* destination);
int32_t MaskStrippedWords(const LegacyKeys& keys, const char16_t* source, char16_t* destination);

}  // namespace chatsieve
