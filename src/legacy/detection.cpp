// The text is scanned as it is, without the upper-case fold: every comparison the
// index makes ignores ASCII case, the strip keeps letters of either case alike, and
// the answer is only whether a word was found, not which. A wide text is scanned in
// the caller's own buffer; only conversion and strip need working texts.
#include "legacy/detection.h"

#include <limits>
#include <string>

#include "legacy/word_match.h"
#include "text/text_encoding.h"

namespace chatsieve {
namespace {

int32_t ScanUnits(const BadWordMap& map, const char16_t* text) {
  for (; *text != 0; ++text) {
    if (MatchAt(map, ArrayCursor(text), WordEnd::kOverLength) != 0) return 1;
  }
  return 0;
}

int32_t ScanText(const BadWordMap& map, const ScannedText& scanned, Scan scan) {
  const char16_t* text = scanned.units;
  if (scan == Scan::kAsWritten) return ScanUnits(map, text);
  const size_t length = scanned.length ? *scanned.length : std::char_traits<char16_t>::length(text);
  WideWork stripped;
  const int32_t stripped_length = length <= static_cast<size_t>(std::numeric_limits<int32_t>::max())
                                      ? StripText(text, static_cast<int32_t>(length), stripped)
                                      : -1;
  if (stripped_length >= 0 && ScanUnits(map, stripped.Data())) return 1;
  if (scan == Scan::kStripped) return 0;
  // A strip that removed nothing left the very same text.
  if (stripped_length >= 0 && static_cast<size_t>(stripped_length) == length) return 0;
  return ScanUnits(map, text);
}

template <typename Char>
int32_t Detect(const WordIndex& index, const Char* text, Scan scan) {
  if (text == nullptr || text[0] == 0 || index.WordCount() <= 0) return 0;
  WideWork work;
  const ScannedText scanned = EncodingOf<Char>::Scanned(text, work);
  return scanned.units != nullptr ? ScanText(index.WordMap(), scanned, scan) : 0;
}

}  // namespace

int32_t HoldsListedWord(const WordIndex& index, const char* text, Scan scan) {
  return Detect(index, text, scan);
}

int32_t HoldsListedWord(const WordIndex& index, const char16_t* text, Scan scan) {
  return Detect(index, text, scan);
}

}  // namespace chatsieve
