// Reading Hangul spelt out letter by letter as the syllables it spells.
#pragma once

#include "engine/text_char.h"

namespace chatsieve {

// Composes runs of compatibility jamo as a 2-set input method does (ㅅㅣㅂㅏㄹ -> 시발,
// ㅂㅕㅇㅅㅣㄴ -> 병신: a consonant before a vowel leads the next syllable), and
// conjoining jamo as the syllables they display. A composed character spans all the
// letters it was composed from. Lone consonants and vowels stay as they are (ㅋㅋ, ㅠㅠ).
void ComposeJamo(TextChars& chars);

}  // namespace chatsieve
