// The text is scanned as it is, without the upper-case fold: every comparison ignores
// ASCII case, the strip keeps letters of either case alike, and the answer is only
// whether a word was found, not which. A wide text is scanned in the caller's own
// buffer; only conversion and strip need working texts.
#include "legacy/detecting.h"

#include <limits>
#include <string>

#include "legacy/chosen_word.h"
#include "legacy/unit_cursors.h"
#include "matching/text_encoding.h"

namespace chatsieve {
namespace {

// Any key found is a word found, unless it is a word with a zero unit not at the end.
int32_t ScanUnits(const LegacyKeys& keys, const char16_t* text) {
  return ScanKeys(keys.Index(), UnitCursor(text),
                  [&keys](const UnitCursor&, const UnitCursor& last, const KeyEnd& end) {
                    return EndMatches(keys, end, last, WordEnd::kOverLength);
                  })
             ? 1
             : 0;
}

int32_t ScanText(const LegacyKeys& keys, const ScannedText& scanned, Scan scan) {
  const char16_t* text = scanned.units;
  if (scan == Scan::kAsWritten) return ScanUnits(keys, text);
  const size_t length = scanned.length ? *scanned.length : std::char_traits<char16_t>::length(text);
  WideWork stripped;
  const int32_t stripped_length = length <= static_cast<size_t>(std::numeric_limits<int32_t>::max())
                                      ? StripText(text, static_cast<int32_t>(length), stripped)
                                      : -1;
  if (stripped_length >= 0 && ScanUnits(keys, stripped.Data())) return 1;
  if (scan == Scan::kStripped) return 0;
  // A strip that removed nothing left the very same text.
  if (stripped_length >= 0 && static_cast<size_t>(stripped_length) == length) return 0;
  return ScanUnits(keys, text);
}

template <typename Char>
int32_t Detect(const LegacyKeys& keys, const Char* text, Scan scan) {
  if (text == nullptr || text[0] == 0 || keys.WordCount() <= 0) return 0;
  WideWork work;
  const ScannedText scanned = EncodingOf<Char>::Scanned(text, work);
  return scanned.units != nullptr ? ScanText(keys, scanned, scan) : 0;
}

template <typename Char>
int32_t DetectByLevel(const LegacyKeys& keys, int32_t level, const Char* text) {
  switch (level) {
    case 1:
      return Detect(keys, text, Scan::kAsWritten);
    case 2:
      return Detect(keys, text, Scan::kEitherWay);
    default:
      return 0;
  }
}

}  // namespace

int32_t HoldsListedWord(const LegacyKeys& keys, const char* text, Scan scan) {
  return Detect(keys, text, scan);
}

int32_t HoldsListedWord(const LegacyKeys& keys, const char16_t* text, Scan scan) {
  return Detect(keys, text, scan);
}

int32_t DetectAtLevel(const LegacyKeys& keys, int32_t level, const char* text) {
  return DetectByLevel(keys, level, text);
}

int32_t DetectAtLevel(const LegacyKeys& keys, int32_t level, const char16_t* text) {
  return DetectByLevel(keys, level, text);
}

}  // namespace chatsieve
