// Reading look-alike shapes where they stand among Hangul: 人발 as ㅅ발, 7H새끼 as ㄱㅐ새끼
// (the jamo reading then composes 개새끼), 아 18 진짜 as 아 씨발 진짜.
#pragma once

#include "engine/korean/lookalike_table.h"
#include "engine/text_char.h"

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
//   between two Hangul letters is left to the digits reading (ㅅ1ㅂ, 씨71발) unless a
//   vowel jamo follows it (쓰레7ㅣ).
// - A run of digits that is a number of the table reads as its syllables when it is the
//   whole number (not joined to digits by . , : / - ~, nor before % or +), touches a
//   Hangul letter or, when it reads as two syllables or more, stands as a word between
//   Hangul words (아 18 진짜, but not 온라인 10), and what follows does not say it is a
//   number (KeepsNumber): 18세, 10분, 8강, 10이 stay numbers.
// A shape read as a jamo spans its characters; a number's syllables each span one digit,
// the last all the digits left.
// Returns whether any shape was read.
bool ReadLookalikes(const LookalikeTable& table, TextChars& chars);

// Whether what follows a number says it is a number: right after it a counter or a
// particle (18세, 10분, 10진수, 10이); after spaces a counter standing alone or with a
// particle or the rest of a unit after it (18 세 이상, 18 명이, 18 시간), where
// 아 18 진짜 and 18 세상 are not.
bool KeepsNumber(char32_t next, char32_t after_next, bool spaced);

}  // namespace chatsieve
