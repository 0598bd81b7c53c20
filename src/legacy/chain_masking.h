// The masking core shared by the masking passes and in-place masking.
#pragma once

#include <cstdint>

#include "legacy/char_chain.h"
#include "legacy/legacy_keys.h"

namespace chatsieve {

// Walks the chain from its first node. Where the legacy rules find a word (`rule` says
// how its end is compared), writes `mask` into the text units of the word's nodes, takes
// those nodes out and walks on as if from the first node again, so that words can
// match across the masked stretch. Returns the number of words masked.
int32_t MaskChain(CharChain& chain, const LegacyKeys& keys, char16_t mask, WordEnd rule);

}  // namespace chatsieve
