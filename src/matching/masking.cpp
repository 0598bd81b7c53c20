// The masking passes: a working copy of the caller's text, a chain of the units that
// take part, the masking core, and the working copy written to the destination.
// The source is read in full before the destination is first written, so a caller
// may hand the same buffer as both.
#include <algorithm>
#include <cstring>
#include <string>

#include "dictionary/bad_chat_man.h"
#include "matching/char_chain.h"
#include "matching/mask_chain.h"
#include "matching/text_preparation.h"
#include "platform/cp949.h"

namespace chatsieve {
namespace {

// Every unit takes part, or (`keep_all` zero) only kept characters, and of those a
// space only where the unit chained before it is not a space too.
bool ChainUnits(CharChain& chain, char16_t* text, int32_t length, int32_t keep_all) {
  if (!chain.Reset(text, static_cast<size_t>(length))) return false;
  char16_t last_chained = 0;
  for (int32_t position = 0; position < length; ++position) {
    const char16_t unit = text[position];
    if (keep_all == 0 && (!IsKeptChar(unit) || (unit == u' ' && last_chained == u' '))) continue;
    chain.Append(position);
    last_chained = unit;
  }
  return true;
}

// 1 when the pass masked a word; -1 when the chain could not be made.
int32_t MaskWorkingCopy(const BadWordMap& map, char16_t* text, int32_t length, char16_t mask,
                        int32_t keep_all) {
  CharChain chain;
  if (!ChainUnits(chain, text, length, keep_all)) return -1;
  return MaskChain(chain, map, mask, WordEnd::kAtZeroUnit) > 0 ? 1 : 0;
}

// The source decoded into `working` when it is not empty and, with its terminator,
// fits in `size` bytes: its length in units, else 0. n bytes never decode to more
// than n units.
int32_t NarrowWorkingCopy(const char* source, int32_t size, WideWork& working) {
  if (source == nullptr || size < 0) return 0;
  const size_t units = std::strlen(source) + 1;
  if (units == 1 || units > static_cast<size_t>(size) || !working.Reserve(units)) return 0;
  return platform::DecodeCp949(source, -1, working.Data(), static_cast<int32_t>(units)) - 1;
}

// The source copied into `working` when it is not empty and, with its terminator, fits
// in `size` units: its length, else 0.
int32_t WideWorkingCopy(const char16_t* source, uint32_t size, WideWork& working) {
  if (source == nullptr || std::char_traits<char16_t>::length(source) >= size) return 0;
  return std::max(DuplicateWide(source, working), 0);
}

// A byte of 0x80 and up becomes U+FF80..U+FFFF, as a signed char widens.
char16_t WidenedMask(char mask) {
  const auto byte = static_cast<unsigned char>(mask);
  return static_cast<char16_t>(byte < 0x80 ? byte : 0xFF00 | byte);
}

}  // namespace

int32_t BadChatMan::ReplaceBadWords(const char* source, char* destination, int32_t size, char mask,
                                    int32_t keep_all) const {
  if (destination == nullptr || size == 0) return 0;
  WideWork working;
  const int32_t length = NarrowWorkingCopy(source, size, working);
  const int32_t masked =
      length > 0 ? MaskWorkingCopy(word_map_, working.Data(), length, WidenedMask(mask), keep_all)
                 : -1;
  // A text that does not fit, as re-encoded, leaves an empty one.
  if (masked < 0 || platform::EncodeCp949(working.Data(), -1, destination, size) == 0) {
    destination[0] = 0;
  }
  return std::max(masked, 0);
}

int32_t BadChatMan::ReplaceBadWordsW(const char16_t* source, char16_t* destination, uint32_t size,
                                     char16_t mask, int32_t keep_all) const {
  if (destination == nullptr || size == 0) return 0;
  WideWork working;
  const int32_t length = WideWorkingCopy(source, size, working);
  const int32_t masked =
      length > 0 ? MaskWorkingCopy(word_map_, working.Data(), length, mask, keep_all) : -1;
  if (masked < 0) {
    destination[0] = 0;
    return 0;
  }
  const char16_t* text = working.Data();
  // A zero mask ends the text at the first masked unit; the rest of the buffer is zeroed.
  const size_t written = std::char_traits<char16_t>::length(text);
  std::copy_n(text, written, destination);
  std::fill(destination + written, destination + size, u'\0');
  return masked;
}

}  // namespace chatsieve
