#include <utility>

#include "chatsieve/chatsieve.h"
#include "legacy/level_masking.h"
#include "legacy/library_state.h"
#include "legacy/stripped_masking.h"

namespace {

// Masks at the level in force. A destination of no room is never written, whatever the
// level: every call with one answers 0. No exception leaves the library.
template <typename Char, typename Capacity>
int32_t MaskAtCurrentLevel(const Char* text, Char* dest, Capacity capacity, Char mask) noexcept {
  if (std::cmp_less_equal(capacity, 0)) return 0;
  try {
    return chatsieve::MaskAtLevel(chatsieve::legacy::FilterObject().Keys(),
                                  chatsieve::legacy::filter_level.load(std::memory_order_relaxed),
                                  text, dest, capacity, mask);
  } catch (...) {
    return 0;
  }
}

// In-place masking needs no level: it always reads the stripped text.
template <typename Char>
int32_t MaskInPlace(Char* text) noexcept {
  try {
    return chatsieve::MaskStrippedWords(chatsieve::legacy::FilterObject().Keys(), text, text);
  } catch (...) {
    return 0;
  }
}

}  // namespace

extern "C" int32_t IsBadToRep(const char* text, char* dest, int32_t capacity, char mask) {
  return MaskAtCurrentLevel(text, dest, capacity, mask);
}

extern "C" int32_t IsBadToRepW(const char16_t* text, char16_t* dest, uint32_t capacity,
                               char16_t mask) {
  return MaskAtCurrentLevel(text, dest, capacity, mask);
}

extern "C" int32_t chatsieve_legacy_mask_in_place(char* text) {
  return MaskInPlace(text);
}

extern "C" int32_t chatsieve_legacy_mask_in_place16(char16_t* text) {
  return MaskInPlace(text);
}
