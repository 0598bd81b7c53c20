/* The public header compiles as C, and its declarations have the types hosts expect. */
#include "chatsieve/chatsieve.h"

#include <stddef.h>
#include <stdint.h>

int32_t (*const set_level_from_c)(int32_t) = SetLevel;
int32_t (*const init_from_c)(const char*) = InitBadChatMan;
int32_t (*const init_wide_from_c)(const uint_least16_t*) = InitBadChatManW;
int32_t (*const is_bad_from_c)(const char*) = IsBad;
int32_t (*const is_bad_wide_from_c)(const uint_least16_t*) = IsBadW;
int32_t (*const mask_from_c)(const char*, char*, int32_t, char) = IsBadToRep;
int32_t (*const mask_wide_from_c)(const uint_least16_t*, uint_least16_t*, uint32_t,
                                  uint_least16_t) = IsBadToRepW;

int32_t SetLevelFromC(int32_t level) {
  return set_level_from_c(level);
}
size_t WideUnitSizeInC(void) {
  return sizeof(chatsieve_char16);
}
