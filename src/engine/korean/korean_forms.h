// The forms a listed word is also found in under the Korean options, beside the word
// itself as the options read it: its syllables written as initial consonants, its tails
// drawn out, its keystrokes on a 2-set keyboard.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "engine/korean/lookalike_table.h"
#include "engine/match_options.h"

namespace chatsieve {

struct DerivedForm {
  std::u32string key;
  // Keystroke forms count only as whole Latin tokens of the text.
  bool whole_latin_token;
};

// At most this many forms are derived from one word.
inline constexpr size_t kMaxDerivedForms = 80;

// Appends the forms of a word read as `key` (already prepared under `options`) to `out`.
//
// Initials (CHATSIEVE_INITIALS), for a key of two or more syllables: any of its
// syllables written as the initial consonant alone (ㅅ발, 시ㅂ, ㄱㅅㄲ), and two
// initials that make a consonant cluster written as it (ㅄ for ㅂㅅ). Chat
// abbreviations must stay clean, so no form starts with the silent ㅇ (ㅇㅇ, ㄹㅇ before
// a word), and no two-letter form is one of the common chat abbreviations (ㄱㅅ thanks,
// ㅈㅈ good game, ㄱㄴ possible?, ...); words of more than six syllables only get the
// form with every syllable written so.
//
// Drawn-out tails (CHATSIEVE_REPEATS): one syllable with a tail written as the syllable
// without it and ㅇ with its vowel sound and the tail (씨바알, 조온나), which the text
// side keeps apart from the syllable before it.
//
// Keystrokes (CHATSIEVE_KEYBOARD), for a key of Hangul holding a syllable: the keys a
// 2-set keyboard types it with, lower case (시발 -> tlqkf, 개새끼 -> rotorl), when they
// are four or more.
//
// Numbers between letters (CHATSIEVE_LOOKALIKE with CHATSIEVE_DIGITS): the key with a
// number's syllables between two of its Hangul letters. The look-alike reading reads
// 씨8발 as 씨팔발 where the digits reading alone skipped the 8, so the key 씨팔발 keeps
// the word found there.
void DeriveForms(std::u32string_view key, MatchOptions options, const LookalikeTable& lookalikes,
                 std::vector<DerivedForm>& out);

// Whether a form is one of the common chat abbreviations (two consonants, or their
// cluster) that no word's initials are read as.
bool IsChatAbbreviation(std::u32string_view form);

// The options allowed words are compiled under: a filter's own, but for the initials,
// which of a legitimate word (ㅈㄹ of 졸랐, ㅅㅂㅈ of 시발점) would hide the initials of
// an insult. The text is read the same either way.
constexpr MatchOptions AllowedWordOptions(MatchOptions options) {
  return MatchOptions::FromBits(options.Bits() & ~static_cast<uint32_t>(MatchOption::kInitials));
}

}  // namespace chatsieve
