// The Korean readings of a text, each a pass over characters already read (case
// folded). A pass that reads several characters as one joins only characters that stand
// side by side in the original text, so masking never covers a character it skipped.
#pragma once

#include "engine/text_char.h"

namespace chatsieve {

// Full-width and half-width forms as the ordinary characters (ｓ -> s, ﾡ -> ㄱ).
void ReadOrdinaryWidths(TextChars& chars);

// Leaves out zero-width and invisible characters and the Hangul fillers.
void SkipInvisibles(TextChars& chars);

// Leaves out a run of digits that stands between two Hangul letters (시1발, ㅅ1ㅂ).
void SkipDigitsBetweenHangul(TextChars& chars);

// Reads a drawn-out syllable as one: a syllable without a tail followed by ㅇ and the
// vowel it sounds like (시이이 -> 시, 개애 -> 개), and a run of one Latin letter (uuu -> u).
void MergeRepeats(TextChars& chars);

// Leaves out the spaces between one-syllable words (시 발, 개 새 끼), and only those: a
// space next to a longer word stays (몇 시 발표).
void SkipSpacesBetweenSyllables(TextChars& chars);

}  // namespace chatsieve
