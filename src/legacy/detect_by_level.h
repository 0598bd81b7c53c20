// Which detections a filter level runs: level 1 the text as written; level 2 the
// stripped text first and, only if that holds no word, the text as written; any other
// level none.
#pragma once

#include <cstdint>

#include "legacy/word_index.h"

namespace chatsieve {

int32_t DetectAtLevel(const WordIndex& index, int32_t level, const char* text);
int32_t DetectAtLevel(const WordIndex& index, int32_t level, const char16_t* text);

}  // namespace chatsieve
