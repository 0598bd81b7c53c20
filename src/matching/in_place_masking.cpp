// In-place masking: listed words are found in the stripped text (kept characters only,
// runs of spaces collapsed) and masked with '*' in exactly the units of the working
// copy that the matched stripped units came from; the characters between stay.
#include <cstring>
#include <limits>

#include "dictionary/bad_chat_man.h"
#include "matching/char_chain.h"
#include "matching/mask_chain.h"
#include "matching/text_preparation.h"

namespace chatsieve {
namespace {

// 1 when a word was masked in the working copy of `length` units.
int32_t MaskStripped(const BadWordMap& map, char16_t* working, int32_t length) {
  WideWork stripped;
  WorkBuffer<int32_t> origins;
  const int32_t stripped_length = StripText(working, length, stripped, &origins);
  // The chain takes exactly the units the strip kept, by the positions they came from.
  int32_t kept = 0;
  CharChain chain;
  const bool built = stripped_length >= 0 &&
                     chain.Build(working, length, [&](int32_t position, char16_t, char16_t) {
                       const bool stripped_here =
                           kept < stripped_length && origins[static_cast<size_t>(kept)] == position;
                       kept += stripped_here ? 1 : 0;
                       return stripped_here;
                     });
  if (!built) return 0;
  return MaskChain(chain, map, u'*', WordEnd::kOverLength) > 0 ? 1 : 0;
}

}  // namespace

int32_t BadChatMan::ReplaceStripped(const char* source, char* destination) const {
  if (source == nullptr || source[0] == 0 || word_count_ <= 0) return 0;
  // Masking never lengthens the text: '*' takes one byte for a character of one or two.
  const size_t capacity = std::strlen(source) + 1;
  if (capacity > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return 0;
  WideWork working;
  const int32_t units = NarrowToWide(source, working);
  if (units <= 0) return 0;
  const int32_t found = MaskStripped(word_map_, working.Data(), units - 1);
  WideToNarrow(working.Data(), destination, static_cast<int32_t>(capacity));
  return found;
}

int32_t BadChatMan::ReplaceStrippedW(const char16_t* source, char16_t* destination) const {
  if (source == nullptr || source[0] == 0 || word_count_ <= 0) return 0;
  WideWork working;
  const int32_t length = DuplicateWide(source, working);
  if (length <= 0) return 0;
  const int32_t found = MaskStripped(word_map_, working.Data(), length);
  CopyWide(working.Data(), destination);
  return found;
}

}  // namespace chatsieve
