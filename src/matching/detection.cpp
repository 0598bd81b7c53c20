// Detection: does any listed word occur in a text, as written or stripped.
//
// The text is scanned as it is, without the upper-case fold: every comparison the
// index makes ignores ASCII case, the strip keeps letters of either case alike, and
// the answer is only whether a word was found, not which. A wide text is scanned in
// the caller's own buffer; only conversion and strip need working texts.
#include <cstdint>
#include <limits>
#include <string>

#include "dictionary/bad_chat_man.h"
#include "matching/text_preparation.h"
#include "matching/word_match.h"

namespace chatsieve {
namespace {

template <typename Char>
bool Rejected(const Char* text, int32_t word_count) {
  return text == nullptr || text[0] == 0 || word_count <= 0;
}

int32_t HoldsListedWord(const BadWordMap& map, const char16_t* text) {
  for (; *text != 0; ++text) {
    if (MatchAt(map, ArrayCursor(text), WordEnd::kOverLength) != 0) return 1;
  }
  return 0;
}

int32_t HoldsListedWordStripped(const BadWordMap& map, const char16_t* text, size_t length) {
  if (length > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return 0;
  WideWork stripped;
  if (StripText(text, static_cast<int32_t>(length), stripped) < 0) return 0;
  return HoldsListedWord(map, stripped.Data());
}

}  // namespace

int32_t BadChatMan::FindBadWord(const char* text) const {
  if (Rejected(text, word_count_)) return 0;
  WideWork wide;
  if (NarrowToWide(text, wide) <= 0) return 0;
  return HoldsListedWord(word_map_, wide.Data());
}

int32_t BadChatMan::FindBadWordStripped(const char* text) const {
  if (Rejected(text, word_count_)) return 0;
  WideWork wide;
  const int32_t count = NarrowToWide(text, wide);
  if (count <= 0) return 0;
  return HoldsListedWordStripped(word_map_, wide.Data(), static_cast<size_t>(count) - 1);
}

int32_t BadChatMan::FindBadWordW(const char16_t* text) const {
  if (Rejected(text, word_count_)) return 0;
  return HoldsListedWord(word_map_, text);
}

int32_t BadChatMan::FindBadWordStrippedW(const char16_t* text) const {
  if (Rejected(text, word_count_)) return 0;
  return HoldsListedWordStripped(word_map_, text, std::char_traits<char16_t>::length(text));
}

}  // namespace chatsieve
