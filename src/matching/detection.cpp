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

enum class Scan {
  kAsWritten,
  kStripped,
  // The stripped text, then the text as written if that holds no word.
  kEitherWay,
};

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

// Scans a terminated text of `length` units as `scan` asks.
int32_t ScanText(const BadWordMap& map, const char16_t* text, size_t length, Scan scan) {
  if (scan == Scan::kAsWritten) return HoldsListedWord(map, text);
  WideWork stripped;
  const int32_t stripped_length = length <= static_cast<size_t>(std::numeric_limits<int32_t>::max())
                                      ? StripText(text, static_cast<int32_t>(length), stripped)
                                      : -1;
  if (stripped_length >= 0 && HoldsListedWord(map, stripped.Data())) return 1;
  if (scan == Scan::kStripped) return 0;
  // A strip that removed nothing left the very same text.
  if (stripped_length >= 0 && static_cast<size_t>(stripped_length) == length) return 0;
  return HoldsListedWord(map, text);
}

int32_t ScanNarrow(const BadWordMap& map, const char* text, Scan scan) {
  WideWork wide;
  const int32_t count = NarrowToWide(text, wide);
  if (count <= 0) return 0;
  return ScanText(map, wide.Data(), static_cast<size_t>(count) - 1, scan);
}

size_t LengthOf(const char16_t* text) {
  return std::char_traits<char16_t>::length(text);
}

}  // namespace

int32_t BadChatMan::FindBadWord(const char* text) const {
  return Rejected(text, word_count_) ? 0 : ScanNarrow(word_map_, text, Scan::kAsWritten);
}

int32_t BadChatMan::FindBadWordStripped(const char* text) const {
  return Rejected(text, word_count_) ? 0 : ScanNarrow(word_map_, text, Scan::kStripped);
}

int32_t BadChatMan::FindBadWordEitherWay(const char* text) const {
  return Rejected(text, word_count_) ? 0 : ScanNarrow(word_map_, text, Scan::kEitherWay);
}

int32_t BadChatMan::FindBadWordW(const char16_t* text) const {
  return Rejected(text, word_count_) ? 0 : HoldsListedWord(word_map_, text);
}

int32_t BadChatMan::FindBadWordStrippedW(const char16_t* text) const {
  return Rejected(text, word_count_) ? 0
                                     : ScanText(word_map_, text, LengthOf(text), Scan::kStripped);
}

int32_t BadChatMan::FindBadWordEitherWayW(const char16_t* text) const {
  return Rejected(text, word_count_) ? 0
                                     : ScanText(word_map_, text, LengthOf(text), Scan::kEitherWay);
}

}  // namespace chatsieve
