// Hangul as fixed tables: syllable arithmetic, the compatibility and conjoining jamo
// blocks, the half-width and full-width forms, and the 2-set keyboard layout.
//
// Jamo are named by their index in the syllable arithmetic: leads 0..18 (ㄱ..ㅎ),
// vowels 0..20 (ㅏ..ㅣ), tails 1..27 (ㄱ..ㅎ), where tail 0 means none.
#pragma once

#include <optional>
#include <string_view>

namespace chatsieve::platform {

inline constexpr int kLeadCount = 19;
inline constexpr int kVowelCount = 21;
inline constexpr int kTailCount = 28;
inline constexpr int kNoJamo = -1;
// The lead ㅇ, silent before a vowel.
inline constexpr int kSilentLead = 11;

struct SyllableParts {
  int lead;
  int vowel;
  int tail;
};

constexpr bool IsSyllable(char32_t code_point) {
  return code_point >= 0xAC00 && code_point <= 0xD7A3;
}

// The parts of a syllable U+AC00..U+D7A3, or nothing for any other code point. Inline,
// as the text passes ask it of most characters.
constexpr std::optional<SyllableParts> SplitSyllable(char32_t code_point) {
  if (!IsSyllable(code_point)) return std::nullopt;
  const int index = static_cast<int>(code_point - 0xAC00);
  return SyllableParts{index / (kVowelCount * kTailCount), index / kTailCount % kVowelCount,
                       index % kTailCount};
}

// The syllable of parts within their ranges.
constexpr char32_t JoinSyllable(SyllableParts parts) {
  return static_cast<char32_t>(0xAC00 + (parts.lead * kVowelCount + parts.vowel) * kTailCount +
                               parts.tail);
}

// Compatibility jamo (U+3131..U+3163), the letters chat is typed in.
constexpr bool IsCompatibilityJamo(char32_t code_point) {
  return code_point >= 0x3131 && code_point <= 0x3163;
}
// The lead / vowel / tail index a compatibility jamo stands for: kNoJamo (0 for tails)
// when it cannot be one, as ㄳ cannot lead and ㄸ cannot end a syllable.
int LeadOfLetter(char32_t code_point);
int VowelOfLetter(char32_t code_point);
int TailOfLetter(char32_t code_point);
// The compatibility jamo of a lead, vowel or tail (1..27) index.
char32_t LeadLetter(int lead);
char32_t VowelLetter(int vowel);
char32_t TailLetter(int tail);

// Conjoining jamo (U+1100.., U+1161.., U+11A8..), as decomposed text holds them: the
// index, or kNoJamo (0 for tails) for any other code point.
constexpr int ConjoiningLead(char32_t code_point) {
  return code_point >= 0x1100 && code_point < 0x1100 + kLeadCount
             ? static_cast<int>(code_point - 0x1100)
             : kNoJamo;
}
constexpr int ConjoiningVowel(char32_t code_point) {
  return code_point >= 0x1161 && code_point < 0x1161 + kVowelCount
             ? static_cast<int>(code_point - 0x1161)
             : kNoJamo;
}
constexpr int ConjoiningTail(char32_t code_point) {
  return code_point >= 0x11A8 && code_point < 0x11A8 + kTailCount - 1
             ? static_cast<int>(code_point - 0x11A7)
             : 0;
}

// Two vowels typed one after the other (ㅗ ㅏ -> ㅘ), or kNoJamo.
int JoinVowels(int first, int second);
// Two tails typed one after the other (ㅂ ㅅ -> ㅄ), or 0.
int JoinTails(int first, int second);

// The vowel a vowel sounds like when drawn out: ㅑ -> ㅏ, ㅘ -> ㅏ, ㅟ -> ㅣ.
int DrawnOutVowel(int vowel);

// Full-width ASCII (U+FF01..U+FF5E), the ideographic space and the half-width Hangul
// letters (U+FFA0..U+FFDC) as the ordinary characters; anything else unchanged.
char32_t OrdinaryWidthOfForm(char32_t code_point);
constexpr char32_t OrdinaryWidth(char32_t code_point) {
  return code_point < 0x3000 || IsSyllable(code_point) ? code_point
                                                       : OrdinaryWidthOfForm(code_point);
}

// The keys a compatibility jamo is typed with on the 2-set layout, Shift as upper
// case ("r" for ㄱ, "R" for ㄲ, "hk" for ㅘ, "qt" for ㅄ); empty for anything else.
std::string_view KeysOfLetter(char32_t code_point);

}  // namespace chatsieve::platform
