#include "matching/char_preparation.h"

#include "matching/jamo_composition.h"
#include "matching/korean_text.h"
#include "matching/lookalike_reading.h"
#include "matching/text_preparation.h"

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

// The option steps on either side of the separator rule.
bool RewritesBeforeSeparators(MatchOptions options) {
  return options.Has(MatchOption::kWidth) || options.Has(MatchOption::kJamo) ||
         options.Has(MatchOption::kInvisible) || options.Has(MatchOption::kLookalike);
}

void PrepareBeforeSeparators(MatchOptions options, const LookalikeTable& lookalikes,
                             TextChars& chars) {
  // Characters are rewritten before any is skipped, and letters are composed while they
  // still stand side by side, so a composed syllable never spans a skipped character.
  // Look-alike jamo are composed with the others (7H reads ㄱㅐ, then 개).
  if (options.Has(MatchOption::kWidth)) ReadOrdinaryWidths(chars);
  if (options.Has(MatchOption::kLookalike)) ReadLookalikes(lookalikes, chars);
  if (options.Has(MatchOption::kJamo)) ComposeJamo(chars);
  if (options.Has(MatchOption::kInvisible)) SkipInvisibles(chars);
}

void PrepareAfterSeparators(MatchOptions options, TextChars& chars) {
  if (options.Has(MatchOption::kDigits)) SkipDigitsBetweenHangul(chars);
  if (options.Has(MatchOption::kRepeats)) MergeRepeats(chars);
  if (options.Has(MatchOption::kSpaces)) SkipSpacesBetweenSyllables(chars);
}

// ReadTextChars and SkipSeparators in one pass: the characters left out are never
// written.
template <typename Encoding>
void ReadKeptChars(std::basic_string_view<typename Encoding::Unit> text, TextChars& out) {
  out.clear();
  bool after_space = false;
  for (size_t at = 0; at < text.size();) {
    const DecodedChar decoded = Encoding::Decode(text.data() + at, text.size() - at);
    const char32_t code_point = FoldCase(decoded.code_point);
    if (KeptBySeparatorRule(code_point, after_space)) {
      out.push_back({code_point, at, at + decoded.units});
      after_space = code_point == U' ';
    }
    at += decoded.units;
  }
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

void PrepareChars(MatchOptions options, const LookalikeTable& lookalikes, TextChars& chars) {
  PrepareBeforeSeparators(options, lookalikes, chars);
  if (options.Has(MatchOption::kSeparators)) SkipSeparators(chars);
  PrepareAfterSeparators(options, chars);
}

template <typename Encoding>
void ReadPreparedChars(MatchOptions options, const LookalikeTable& lookalikes,
                       std::basic_string_view<typename Encoding::Unit> text, TextChars& chars) {
  if (options.Has(MatchOption::kSeparators) && !RewritesBeforeSeparators(options)) {
    ReadKeptChars<Encoding>(text, chars);
    PrepareAfterSeparators(options, chars);
    return;
  }
  ReadTextChars<Encoding>(text, chars);
  PrepareChars(options, lookalikes, chars);
}

template void ReadPreparedChars<Utf8>(MatchOptions, const LookalikeTable&, std::string_view,
                                      TextChars&);
template void ReadPreparedChars<Utf16>(MatchOptions, const LookalikeTable&, std::u16string_view,
                                       TextChars&);

}  // namespace chatsieve
