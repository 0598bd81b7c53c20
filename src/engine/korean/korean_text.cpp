#include "engine/korean/korean_text.h"

#include <algorithm>
#include <optional>

#include "text/hangul.h"

namespace chatsieve {
namespace {

bool IsInvisible(char32_t code_point) {
  if (code_point < 0x00AD || platform::IsSyllable(code_point)) return false;
  switch (code_point) {
    case 0x00AD:  // soft hyphen
    case 0x034F:  // combining grapheme joiner
    case 0x115F:  // the conjoining lead and vowel fillers
    case 0x1160:
    case 0x180E:  // Mongolian vowel separator
    case 0x3164:  // the Hangul filler and its half-width form
    case 0xFFA0:
    case 0xFEFF:  // zero-width no-break space
      return true;
    default:
      // Zero-width spaces and joiners, direction marks, invisible operators and the
      // invisible format controls.
      return (code_point >= 0x200B && code_point <= 0x200F) ||
             (code_point >= 0x2060 && code_point <= 0x206F);
  }
}

bool IsHangulLetter(char32_t code_point) {
  return platform::IsSyllable(code_point) || platform::IsCompatibilityJamo(code_point);
}

bool IsDigit(char32_t code_point) {
  return code_point - U'0' < 10;
}

bool SameSound(int drawn_out, int vowel) {
  constexpr int kAe = 1, kE = 5;  // ㅐ and ㅔ, which chat does not tell apart
  const auto ae_or_e = [](int v) { return v == kAe || v == kE; };
  return drawn_out == vowel || (ae_or_e(drawn_out) && ae_or_e(vowel));
}

// The syllables of ㅇ are one block.
constexpr char32_t kSilentFirst = platform::JoinSyllable({platform::kSilentLead, 0, 0});
constexpr char32_t kSilentEnd = platform::JoinSyllable({platform::kSilentLead + 1, 0, 0});

// ㅇ with the sound of the vowel before it and no tail, after a syllable without a tail:
// 시이, 바아, 개애, 야아. A syllable with a tail (미임, 바알) is a syllable of its own.
// `current` is a syllable of ㅇ.
bool DrawsOut(char32_t previous, char32_t current) {
  const platform::SyllableParts now = *platform::SplitSyllable(current);
  if (now.tail != 0) return false;
  const std::optional<platform::SyllableParts> before = platform::SplitSyllable(previous);
  return before && before->tail == 0 &&
         SameSound(platform::DrawnOutVowel(before->vowel), now.vowel);
}

// Inline, as it is asked of every character: most are turned away by two compares.
inline bool Repeats(const TextChar& previous, const TextChar& current) {
  if (previous.end != current.begin) return false;
  const char32_t c = current.code_point;
  if (c - kSilentFirst < kSilentEnd - kSilentFirst) return DrawsOut(previous.code_point, c);
  return IsLatinLetter(c) && c == previous.code_point;
}

}  // namespace

void ReadOrdinaryWidths(TextChars& chars) {
  for (TextChar& c : chars)
    c.code_point = FoldCase(platform::OrdinaryWidth(c.code_point));
}

void SkipInvisibles(TextChars& chars) {
  std::erase_if(chars, [](const TextChar& c) { return IsInvisible(c.code_point); });
}

void SkipDigitsBetweenHangul(TextChars& chars) {
  size_t kept = 0;
  for (size_t at = 0; at < chars.size();) {
    if (IsDigit(chars[at].code_point) && kept > 0 && IsHangulLetter(chars[kept - 1].code_point)) {
      size_t end = at;
      while (end < chars.size() && IsDigit(chars[end].code_point))
        ++end;
      if (end < chars.size() && IsHangulLetter(chars[end].code_point)) {
        at = end;
        continue;
      }
      while (at < end)
        chars[kept++] = chars[at++];
      continue;
    }
    if (kept != at) chars[kept] = chars[at];
    ++kept, ++at;
  }
  chars.resize(kept);
}

void MergeRepeats(TextChars& chars) {
  if (chars.empty()) return;
  // Most texts repeat nothing: nothing moves before the first merge.
  size_t kept = 1;
  while (kept < chars.size() && !Repeats(chars[kept - 1], chars[kept]))
    ++kept;
  for (size_t at = kept; at < chars.size(); ++at) {
    if (Repeats(chars[kept - 1], chars[at])) {
      chars[kept - 1].end = chars[at].end;
    } else {
      chars[kept++] = chars[at];
    }
  }
  chars.resize(kept);
}

void SkipSpacesBetweenSyllables(TextChars& chars) {
  // Reads ahead of the characters kept so far, which are never overwritten before.
  const auto syllable = [&](size_t at) {
    return at < chars.size() && platform::IsSyllable(chars[at].code_point);
  };
  size_t kept = 0;
  bool after_one_syllable_word = false;
  bool previous_syllable = false;
  for (size_t at = 0; at < chars.size();) {
    if (chars[at].code_point == U' ' && after_one_syllable_word) {
      size_t end = at;
      while (end < chars.size() && chars[end].code_point == U' ')
        ++end;
      if (syllable(end) && !syllable(end + 1)) {
        at = end;
        previous_syllable = false;
        continue;
      }
    }
    const bool here = syllable(at);
    after_one_syllable_word = here && !previous_syllable && !syllable(at + 1);
    previous_syllable = here;
    if (kept != at) chars[kept] = chars[at];
    ++kept, ++at;
  }
  chars.resize(kept);
}

}  // namespace chatsieve
