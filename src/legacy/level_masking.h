// The masking passes composed by filter level: level 1 masks the text as written;
// level 2 masks it as written into a buffer of the caller's capacity, then masks that
// across the characters that are not kept, into the caller's destination. Any other
// level masks nothing and leaves the destination untouched.
#pragma once

#include <cstdint>

#include "legacy/legacy_keys.h"

namespace chatsieve {

// 1 when a pass masked a word. At level 2, 0 with the destination untouched when the
// intermediate buffer cannot be had.
int32_t MaskAtLevel(const LegacyKeys& keys, int32_t level, const char* text, char* destination,
                    int32_t capacity, char mask);
int32_t MaskAtLevel(const LegacyKeys& keys, int32_t level, const char16_t* text,
                    char16_t* destination, uint32_t capacity, char16_t mask);

}  // namespace chatsieve
