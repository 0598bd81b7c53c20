#include "matching/char_preparation.h"

#include "matching/jamo_composition.h"
#include "matching/korean_text.h"
#include "matching/text_preparation.h"

namespace chatsieve {
namespace {

bool IsKept(char32_t code_point) {
  // Characters past the 16-bit range are two units to the legacy strip, neither kept.
  return code_point < 0x10000 && IsKeptChar(static_cast<char16_t>(code_point));
}

}  // namespace

void SkipSeparators(TextChars& chars) {
  size_t kept = 0;
  for (const TextChar& c : chars) {
    const bool keep = c.code_point == U' ' ? kept == 0 || chars[kept - 1].code_point != U' '
                                           : IsKept(c.code_point);
    if (keep) chars[kept++] = c;
  }
  chars.resize(kept);
}

void PrepareChars(MatchOptions options, TextChars& chars) {
  // Characters are rewritten before any is skipped, and letters are composed while they
  // still stand side by side, so a composed syllable never spans a skipped character.
  if (options.Has(MatchOption::kWidth)) ReadOrdinaryWidths(chars);
  if (options.Has(MatchOption::kJamo)) ComposeJamo(chars);
  if (options.Has(MatchOption::kInvisible)) SkipInvisibles(chars);
  if (options.Has(MatchOption::kSeparators)) SkipSeparators(chars);
  if (options.Has(MatchOption::kDigits)) SkipDigitsBetweenHangul(chars);
  if (options.Has(MatchOption::kRepeats)) MergeRepeats(chars);
  if (options.Has(MatchOption::kSpaces)) SkipSpacesBetweenSyllables(chars);
}

}  // namespace chatsieve
