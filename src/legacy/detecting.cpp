// The text is scanned as it is, without the upper-case fold: every comparison ignores
// ASCII case, the strip keeps letters of either case alike, and the answer is only
// whether a word was found, not which. A wide text is scanned in the caller's own
// buffer; only conversion and strip need working texts.
#include "legacy/detecting.h"

#include <limits>
#include <optional>
#include <string>

#include "legacy/chosen_word.h"
#include "legacy/unit_cursors.h"
#include "text/text_encoding.h"
#include "wordfile/word_rules.h"

namespace chatsieve {
namespace {

// The folded unit at `at`, or the end's mark at the terminator.
char32_t CodePointAt(const char16_t* at) {
  return *at == 0 ? KeyIndex::kTextEnd : FoldAsciiCase(*at);
}

// Any key found is a word found, unless it is a word with a zero unit not at the end. The
// start filter reads the units from the array, each once; only the positions it lets
// through walk the keys.
int32_t ScanUnits(const LegacyKeys& keys, const char16_t* text) {
  if (text[0] == 0) return 0;
  const KeyIndex& index = keys.Index();
  const KeyStartFilter::View start_filter = index.CodePointStart();
  auto found = [&keys](const UnitCursor&, const UnitCursor& last, const KeyEnd& end) {
    return EndMatches(keys, end, last, WordEnd::kOverLength);
  };
  char32_t first = FoldAsciiCase(text[0]);
  char32_t second = CodePointAt(text + 1);
  char32_t third = second == KeyIndex::kTextEnd ? second : CodePointAt(text + 2);
  for (const char16_t* at = text;; ++at) {
    if (start_filter.MayStart(first, second, third) &&
        key_scan_detail::WalkKeys(index, UnitCursor(at), found)) {
      return 1;
    }
    if (second == KeyIndex::kTextEnd) return 0;
    first = second;
    second = third;
    // at[2] is read only while at[1], the new third's predecessor, is not the end.
    third = third == KeyIndex::kTextEnd ? third : CodePointAt(at + 3);
  }
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

// Level 1 scans the text as written, level 2 both ways; any other level nothing.
std::optional<Scan> ScanOfLevel(int32_t level) {
  if (level == 1) return Scan::kAsWritten;
  if (level == 2) return Scan::kEitherWay;
  return std::nullopt;
}

template <typename Char>
int32_t Detect(const LegacyKeys& keys, const Char* text, Scan scan) {
  if (text == nullptr || text[0] == 0 || keys.WordCount() <= 0) return 0;
  WideWork work;
  const ScannedText scanned = EncodingOf<Char>::Scanned(text, work);
  return scanned.units != nullptr ? ScanText(keys, scanned, scan) : 0;
}

}  // namespace

int32_t HoldsListedWord(const LegacyKeys& keys, const char* text, Scan scan) {
  return Detect(keys, text, scan);
}

int32_t HoldsListedWord(const LegacyKeys& keys, const char16_t* text, Scan scan) {
  return Detect(keys, text, scan);
}

int32_t DetectAtLevel(const LegacyKeys& keys, int32_t level, const char* text) {
  const std::optional<Scan> scan = ScanOfLevel(level);
  return scan ? Detect(keys, text, *scan) : 0;
}

int32_t DetectAtLevel(const LegacyKeys& keys, int32_t level, const char16_t* text) {
  const std::optional<Scan> scan = ScanOfLevel(level);
  return scan ? Detect(keys, text, *scan) : 0;
}

}  // namespace chatsieve
