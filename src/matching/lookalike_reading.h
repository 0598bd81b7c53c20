// Reading look-alike shapes where they stand among Hangul: 人발 as ㅅ발, 7H새끼 as ㄱㅐ새끼
// (the jamo reading then composes 개새끼), 아 18 진짜 as 아 씨발 진짜.
#pragma once

#include "matching/lookalike_table.h"
#include "matching/text_char.h"

namespace chatsieve {

// Reads, left to right, what the text before has been read as and the text after as
// written:
// - A vowel shape counts right after a consonant jamo (ㅅl, ㄱH, or a shape read as one).
// - A consonant shape that is not ASCII counts when it touches a Hangul letter or a vowel
//   (jamo or shape) follows it (人발, 人ㅣ).
// - ASCII shapes count only when the whole run of ASCII letters and digits they stand in
//   is read as shapes that count, a consonant shape only before a vowel (7H, ㅈr, not
//   AB7H9 or 7Hz), and a run that starts with a consonant shape only where it touches a
//   Hangul letter or stands as a word between Hangul words. A run of digits alone
//   between two Hangul letters is left to the digits reading (ㅅ1ㅂ, 씨71발).
// - A run of digits that is a number of the table reads as its syllables when it is the
//   whole number (not joined to digits by . , : / - ~, nor before % or +), touches a
//   Hangul letter or stands as a word between Hangul words, and the syllable after it
//   (past spaces) is no counter or particle: 18세, 10분, 8강, 10이 stay numbers.
// A shape read as a jamo spans its characters; a number's syllables each span one digit,
// the last all the digits left.
void ReadLookalikes(const LookalikeTable& table, TextChars& chars);

// Whether a syllable after a number says what it counts (세, 년, 분, 개, ...) or is a
// particle (이, 을, 도, ...), so that the number stays a number.
bool CountsOrMarksNumber(char32_t syllable);

}  // namespace chatsieve
