#include "engine/char_preparation.h"

#include "engine/korean/jamo_composition.h"
#include "engine/korean/korean_text.h"
#include "engine/korean/lookalike_reading.h"
#include "text/hangul.h"
#include "text/text_preparation.h"

namespace chatsieve {
namespace {

bool IsKept(char32_t code_point) {
  // Characters past the 16-bit range are two units to the legacy strip, neither kept.
  return code_point < 0x10000 && IsKeptChar(static_cast<char16_t>(code_point));
}

// Whether the separator rule keeps a character, given whether the last one it kept is a
// space.
bool KeptBySeparatorRule(char32_t code_point, bool after_space) {
  return code_point == U' ' ? !after_space : IsKept(code_point);
}

// The kinds of character a text holds, each a step of the reading acts on: a step whose
// kind a text lacks would leave it as it is, and is not run. Most chat holds a few kinds.
constexpr unsigned kWideOrJamoRange = 1 << 0;  // from U+3000, not a syllable: width forms,
                                               // jamo, fillers
constexpr unsigned kJamo = 1 << 1;             // conjoining or compatibility jamo
constexpr unsigned kMaybeInvisible = 1 << 2;   // a character the invisible step may leave out
constexpr unsigned kDigit = 1 << 3;
constexpr unsigned kLatin = 1 << 4;
constexpr unsigned kSilentLeadSyllable = 1 << 5;  // 아 이 ...: may draw out the one before
constexpr unsigned kSpace = 1 << 6;
constexpr unsigned kShapeStart = 1 << 7;  // may begin a look-alike shape

unsigned KindOf(char32_t c) {
  if (c < 0x80) {
    if (c == U' ') return kSpace;
    if (c - U'0' < 10) return kDigit;
    return IsLatinLetter(c) ? kLatin : 0u;
  }
  if (platform::IsSyllable(c)) {
    constexpr char32_t kFirst = platform::JoinSyllable({platform::kSilentLead, 0, 0});
    constexpr char32_t kLast = platform::JoinSyllable({platform::kSilentLead + 1, 0, 0});
    return c >= kFirst && c < kLast ? kSilentLeadSyllable : 0u;
  }
  unsigned kinds = c >= 0x3000 ? kWideOrJamoRange : 0u;
  if ((c >= 0x1100 && c <= 0x11FF) || platform::IsCompatibilityJamo(c)) kinds |= kJamo;
  if (c == 0xAD || c == 0x34F || c == 0x180E || (c >= 0x115F && c <= 0x1160) ||
      (c >= 0x200B && c <= 0x206F) || c == 0x3164 || c == 0xFEFF || c == 0xFFA0) {
    kinds |= kMaybeInvisible;
  }
  return kinds;
}

unsigned KindsOf(const TextChars& chars, const ShapeStarts& shapes) {
  unsigned kinds = 0;
  for (const TextChar& c : chars)
    kinds |= KindOf(c.code_point) | (shapes.MayStart(c.code_point) ? kShapeStart : 0u);
  return kinds;
}

// ReadTextChars, and the kinds of character read, in one pass.
template <typename Encoding>
unsigned ReadCharsAndKinds(std::basic_string_view<typename Encoding::Unit> text,
                           const ShapeStarts& shapes, TextChars& out) {
  out.clear();
  unsigned kinds = 0;
  for (size_t at = 0; at < text.size();) {
    const DecodedChar decoded = Encoding::Decode(text.data() + at, text.size() - at);
    const char32_t code_point = FoldCase(decoded.code_point);
    out.push_back({code_point, at, at + decoded.units});
    kinds |= KindOf(code_point) | (shapes.MayStart(code_point) ? kShapeStart : 0u);
    at += decoded.units;
  }
  return kinds;
}

// The option steps on either side of the separator rule.
bool RewritesBeforeSeparators(MatchOptions options) {
  return options.Has(MatchOption::kWidth) || options.Has(MatchOption::kJamo) ||
         options.Has(MatchOption::kInvisible) || options.Has(MatchOption::kLookalike);
}

// Returns the kinds of character the text holds after the steps.
unsigned PrepareBeforeSeparators(MatchOptions options, const LookalikeTable& lookalikes,
                                 TextChars& chars, unsigned kinds) {
  // Characters are rewritten before any is skipped, and letters are composed while they
  // still stand side by side, so a composed syllable never spans a skipped character.
  // Look-alike jamo are composed with the others (7H reads ㄱㅐ, then 개).
  if (options.Has(MatchOption::kWidth) && (kinds & kWideOrJamoRange) != 0) {
    ReadOrdinaryWidths(chars);
    kinds = KindsOf(chars, lookalikes.Starts());
  }
  if (options.Has(MatchOption::kLookalike) && (kinds & kShapeStart) != 0 &&
      ReadLookalikes(lookalikes, chars)) {
    kinds = KindsOf(chars, lookalikes.Starts());
  }
  if (options.Has(MatchOption::kJamo) && (kinds & kJamo) != 0) {
    ComposeJamo(chars);
    kinds |= kSilentLeadSyllable;
  }
  if (options.Has(MatchOption::kInvisible) && (kinds & kMaybeInvisible) != 0) SkipInvisibles(chars);
  return kinds;
}

void PrepareAfterSeparators(MatchOptions options, TextChars& chars, unsigned kinds) {
  if (options.Has(MatchOption::kDigits) && (kinds & kDigit) != 0) SkipDigitsBetweenHangul(chars);
  if (options.Has(MatchOption::kRepeats) && (kinds & (kLatin | kSilentLeadSyllable)) != 0)
    MergeRepeats(chars);
  if (options.Has(MatchOption::kSpaces) && (kinds & kSpace) != 0) SkipSpacesBetweenSyllables(chars);
}

// ReadTextChars and SkipSeparators in one pass: the characters left out are never
// written.
// Returns the kinds of character kept.
template <typename Encoding>
unsigned ReadKeptChars(std::basic_string_view<typename Encoding::Unit> text, TextChars& out) {
  out.clear();
  bool after_space = false;
  unsigned kinds = 0;
  for (size_t at = 0; at < text.size();) {
    const DecodedChar decoded = Encoding::Decode(text.data() + at, text.size() - at);
    const char32_t code_point = FoldCase(decoded.code_point);
    if (KeptBySeparatorRule(code_point, after_space)) {
      out.push_back({code_point, at, at + decoded.units});
      after_space = code_point == U' ';
      kinds |= KindOf(code_point);
    }
    at += decoded.units;
  }
  return kinds;
}

}  // namespace

void SkipSeparators(TextChars& chars) {
  size_t kept = 0;
  for (const TextChar& c : chars) {
    if (KeptBySeparatorRule(c.code_point, kept > 0 && chars[kept - 1].code_point == U' ')) {
      chars[kept++] = c;
    }
  }
  chars.resize(kept);
}

namespace {

void PrepareCharsOfKinds(MatchOptions options, const LookalikeTable& lookalikes, TextChars& chars,
                         unsigned kinds) {
  kinds = PrepareBeforeSeparators(options, lookalikes, chars, kinds);
  if (options.Has(MatchOption::kSeparators)) SkipSeparators(chars);
  PrepareAfterSeparators(options, chars, kinds);
}

}  // namespace

void PrepareChars(MatchOptions options, const LookalikeTable& lookalikes, TextChars& chars) {
  PrepareCharsOfKinds(options, lookalikes, chars, KindsOf(chars, lookalikes.Starts()));
}

template <typename Encoding>
void ReadPreparedChars(MatchOptions options, const LookalikeTable& lookalikes,
                       std::basic_string_view<typename Encoding::Unit> text, TextChars& chars) {
  if (options.Has(MatchOption::kSeparators) && !RewritesBeforeSeparators(options)) {
    PrepareAfterSeparators(options, chars, ReadKeptChars<Encoding>(text, chars));
    return;
  }
  PrepareCharsOfKinds(options, lookalikes, chars,
                      ReadCharsAndKinds<Encoding>(text, lookalikes.Starts(), chars));
}

template void ReadPreparedChars<Utf8>(MatchOptions, const LookalikeTable&, std::string_view,
                                      TextChars&);
template void ReadPreparedChars<Utf16>(MatchOptions, const LookalikeTable&, std::u16string_view,
                                       TextChars&);

}  // namespace chatsieve
