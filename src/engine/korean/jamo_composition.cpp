#include "engine/korean/jamo_composition.h"

#include <optional>

#include "text/hangul.h"

namespace chatsieve {
namespace {

using platform::kNoJamo;

struct Composed {
  char32_t syllable;
  size_t next;
};

class Letters {
 public:
  explicit Letters(const TextChars& chars) : chars_(chars) {}

  int Lead(size_t at) const {
    return at < chars_.size() ? platform::LeadOfLetter(At(at)) : kNoJamo;
  }
  int Vowel(size_t at) const {
    return at < chars_.size() ? platform::VowelOfLetter(At(at)) : kNoJamo;
  }
  int Tail(size_t at) const { return at < chars_.size() ? platform::TailOfLetter(At(at)) : 0; }
  int ConjoiningLead(size_t at) const {
    return at < chars_.size() ? platform::ConjoiningLead(At(at)) : kNoJamo;
  }
  int ConjoiningVowel(size_t at) const {
    return at < chars_.size() ? platform::ConjoiningVowel(At(at)) : kNoJamo;
  }
  int ConjoiningTail(size_t at) const {
    return at < chars_.size() ? platform::ConjoiningTail(At(at)) : 0;
  }

 private:
  char32_t At(size_t at) const { return chars_[at].code_point; }
  const TextChars& chars_;
};

// A consonant after a vowel ends its syllable unless a vowel follows it, which makes it
// the next syllable's lead, or it starts a run of one consonant: ㅋㅋ and ㅎㅎ after a
// word are laughter, not its tail (but the first ㄴ of ㅈㅗㄴㄴㅏ is one).
bool EndsSyllable(const Letters& letters, size_t at) {
  const int tail = letters.Tail(at);
  if (tail == 0 || letters.Vowel(at + 1) != kNoJamo) return false;
  return letters.Tail(at + 1) != tail || letters.Vowel(at + 2) != kNoJamo;
}

// A lead and a vowel (or two that join), then a tail of one or two consonants.
std::optional<Composed> ComposeLetters(const Letters& letters, size_t at) {
  const int lead = letters.Lead(at);
  int vowel = letters.Vowel(at + 1);
  if (lead == kNoJamo || vowel == kNoJamo) return std::nullopt;
  size_t next = at + 2;
  if (const int joined = platform::JoinVowels(vowel, letters.Vowel(next)); joined != kNoJamo) {
    vowel = joined;
    ++next;
  }
  int tail = 0;
  if (EndsSyllable(letters, next)) {
    tail = letters.Tail(next++);
    const int joined = platform::JoinTails(tail, letters.Tail(next));
    if (joined != 0 && EndsSyllable(letters, next)) {
      tail = joined;
      ++next;
    }
  }
  return Composed{platform::JoinSyllable({lead, vowel, tail}), next};
}

// Decomposed text: a conjoining lead, vowel and optional tail, or a syllable without a
// tail followed by a conjoining tail.
std::optional<Composed> ComposeConjoining(const Letters& letters, const TextChars& chars,
                                          size_t at) {
  const int lead = letters.ConjoiningLead(at);
  const int vowel = letters.ConjoiningVowel(at + 1);
  if (lead != kNoJamo && vowel != kNoJamo) {
    const int tail = letters.ConjoiningTail(at + 2);
    return Composed{platform::JoinSyllable({lead, vowel, tail}), at + (tail != 0 ? 3 : 2)};
  }
  const int tail = letters.ConjoiningTail(at + 1);
  if (tail == 0) return std::nullopt;
  const std::optional<platform::SyllableParts> parts =
      platform::SplitSyllable(chars[at].code_point);
  if (!parts || parts->tail != 0) return std::nullopt;
  return Composed{platform::JoinSyllable({parts->lead, parts->vowel, tail}), at + 2};
}

}  // namespace

void ComposeJamo(TextChars& chars) {
  const Letters letters(chars);
  size_t kept = 0;
  for (size_t at = 0; at < chars.size();) {
    const char32_t c = chars[at].code_point;
    std::optional<Composed> composed;
    if (platform::IsCompatibilityJamo(c)) {
      composed = ComposeLetters(letters, at);
    } else if (platform::ConjoiningLead(c) != kNoJamo || letters.ConjoiningTail(at + 1) != 0) {
      composed = ComposeConjoining(letters, chars, at);
    }
    if (!composed) {
      if (kept != at) chars[kept] = chars[at];
      ++kept, ++at;
      continue;
    }
    const TextChar syllable{composed->syllable, chars[at].begin, chars[composed->next - 1].end};
    chars[kept++] = syllable;
    at = composed->next;
  }
  chars.resize(kept);
}

}  // namespace chatsieve
