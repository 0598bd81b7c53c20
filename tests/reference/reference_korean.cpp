#include "reference/reference_korean.h"

#include <algorithm>
#include <map>
#include <set>
#include <utility>

#include "chatsieve/filter.h"
#include "engine/korean/korean_forms.h"
#include "engine/korean/lookalike_reading.h"
#include "engine/korean/lookalike_table.h"
#include "text/hangul.h"
#include "text/text_preparation.h"

namespace chatsieve::reference {
namespace {

using namespace platform;
using Chars = std::vector<ReadChar>;

bool Has(uint32_t options, uint32_t option) {
  return (options & option) != 0;
}

bool IsLatin(char32_t c) {
  return c >= U'a' && c <= U'z';
}

bool IsVowel(char32_t c) {
  return VowelOfLetter(c) != kNoJamo;
}

// The letters of a vowel or tail, whole or, for a compound, as its two parts.
std::vector<std::u32string> VowelSpellings(int vowel) {
  std::vector<std::u32string> spellings{{VowelLetter(vowel)}};
  for (int first = 0; first < kVowelCount; ++first) {
    for (int second = 0; second < kVowelCount; ++second) {
      if (JoinVowels(first, second) == vowel)
        spellings.push_back({VowelLetter(first), VowelLetter(second)});
    }
  }
  return spellings;
}

std::vector<std::u32string> TailSpellings(int tail) {
  if (tail == 0) return {U""};
  std::vector<std::u32string> spellings{{TailLetter(tail)}};
  for (int first = 1; first < kTailCount; ++first) {
    for (int second = 1; second < kTailCount; ++second) {
      if (JoinTails(first, second) == tail)
        spellings.push_back({TailLetter(first), TailLetter(second)});
    }
  }
  return spellings;
}

struct Spelling {
  char32_t syllable;
  bool letters;  // compatibility letters, not conjoining jamo
};

// Every way of spelling every syllable.
const std::map<std::u32string, Spelling>& Spellings() {
  static const std::map<std::u32string, Spelling> spellings = [] {
    std::map<std::u32string, Spelling> all;
    for (char32_t syllable = 0xAC00; syllable <= 0xD7A3; ++syllable) {
      const SyllableParts p = *SplitSyllable(syllable);
      for (const std::u32string& vowel : VowelSpellings(p.vowel)) {
        for (const std::u32string& tail : TailSpellings(p.tail))
          all[LeadLetter(p.lead) + vowel + tail] = {syllable, true};
      }
      std::u32string conjoining = {0x1100 + static_cast<char32_t>(p.lead),
                                   0x1161 + static_cast<char32_t>(p.vowel)};
      if (p.tail != 0) conjoining.push_back(0x11A7 + static_cast<char32_t>(p.tail));
      all[conjoining] = {syllable, false};
    }
    return all;
  }();
  return spellings;
}

// A spelling in letters is read so only when the letter after it is no vowel (which
// would lead the next syllable) and its last letter, a tail, does not start a run of one
// consonant that no vowel follows.
bool Ends(const Chars& chars, size_t end) {
  const auto at = [&](size_t k) { return k < chars.size() ? chars[k].code_point : U'\0'; };
  if (IsVowel(at(end - 1))) return true;  // no tail: what follows does not matter
  if (IsVowel(at(end))) return false;
  return !(at(end) == at(end - 1) && !IsVowel(at(end + 1)));
}

Chars Compose(const Chars& chars) {
  Chars out;
  for (size_t at = 0; at < chars.size();) {
    size_t length = std::min<size_t>(5, chars.size() - at);
    for (; length >= 2; --length) {
      std::u32string spelt;
      for (size_t k = at; k < at + length; ++k)
        spelt.push_back(chars[k].code_point);
      const auto found = Spellings().find(spelt);
      if (found == Spellings().end()) continue;
      if (found->second.letters && !Ends(chars, at + length)) continue;
      out.push_back({found->second.syllable, chars[at].begin, chars[at + length - 1].end});
      break;
    }
    if (length >= 2) {
      at += length;
      continue;
    }
    const auto parts = SplitSyllable(chars[at].code_point);
    if (parts && parts->tail == 0 && at + 1 < chars.size() &&
        ConjoiningTail(chars[at + 1].code_point) != 0) {
      out.push_back(
          {JoinSyllable({parts->lead, parts->vowel, ConjoiningTail(chars[at + 1].code_point)}),
           chars[at].begin, chars[at + 1].end});
      at += 2;
      continue;
    }
    out.push_back(chars[at++]);
  }
  return out;
}

template <typename Drop>
Chars Without(const Chars& chars, Drop drop) {
  Chars out;
  for (size_t k = 0; k < chars.size(); ++k) {
    if (!drop(k)) out.push_back(chars[k]);
  }
  return out;
}

bool IsHangul(char32_t c) {
  return IsSyllable(c) || IsCompatibilityJamo(c);
}

// The first and last index of the run of characters like chars[k] around k.
template <typename Like>
std::pair<size_t, size_t> RunAround(const Chars& chars, size_t k, Like like) {
  size_t first = k, last = k;
  while (first > 0 && like(chars[first - 1].code_point))
    --first;
  while (last + 1 < chars.size() && like(chars[last + 1].code_point))
    ++last;
  return {first, last};
}

Chars SkipDigits(const Chars& chars) {
  const auto digit = [](char32_t c) { return c >= U'0' && c <= U'9'; };
  return Without(chars, [&](size_t k) {
    if (!digit(chars[k].code_point)) return false;
    const auto [first, last] = RunAround(chars, k, digit);
    return first > 0 && last + 1 < chars.size() && IsHangul(chars[first - 1].code_point) &&
           IsHangul(chars[last + 1].code_point);
  });
}

bool DrawsOut(char32_t before, char32_t now) {
  const auto b = SplitSyllable(before), n = SplitSyllable(now);
  if (!b || !n || b->tail != 0 || n->lead != kSilentLead || n->tail != 0) return false;
  const int sound = DrawnOutVowel(b->vowel);
  const auto ae_or_e = [](int v) { return v == 1 || v == 5; };
  return sound == n->vowel || (ae_or_e(sound) && ae_or_e(n->vowel));
}

Chars Merge(const Chars& chars) {
  Chars out;
  for (const ReadChar& c : chars) {
    if (!out.empty() && out.back().end == c.begin &&
        ((IsLatin(c.code_point) && c.code_point == out.back().code_point) ||
         DrawsOut(out.back().code_point, c.code_point))) {
      out.back().end = c.end;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

Chars SkipSpaces(const Chars& chars) {
  const auto syllable = [&](size_t k) {
    return k < chars.size() && IsSyllable(chars[k].code_point);
  };
  const auto one_syllable_word = [&](size_t k) {
    return syllable(k) && !(k > 0 && syllable(k - 1)) && !syllable(k + 1);
  };
  return Without(chars, [&](size_t k) {
    if (chars[k].code_point != U' ') return false;
    const auto [first, last] = RunAround(chars, k, [](char32_t c) { return c == U' '; });
    return first > 0 && one_syllable_word(first - 1) && one_syllable_word(last + 1);
  });
}

Chars SkipSeparators(const Chars& chars) {
  Chars out;
  for (const ReadChar& c : chars) {
    const bool kept = c.code_point == U' ' ? out.empty() || out.back().code_point != U' '
                                           : c.code_point < 0x10000 &&
                                                 IsKeptChar(static_cast<char16_t>(c.code_point));
    if (kept) out.push_back(c);
  }
  return out;
}

bool IsInvisible(char32_t c) {
  static const std::set<char32_t> invisible = {
      0x00AD, 0x034F, 0x115F, 0x1160, 0x180E, 0x200B, 0x200C, 0x200D, 0x200E, 0x200F,
      0x2060, 0x2061, 0x2062, 0x2063, 0x2064, 0x2065, 0x2066, 0x2067, 0x2068, 0x2069,
      0x206A, 0x206B, 0x206C, 0x206D, 0x206E, 0x206F, 0x3164, 0xFEFF, 0xFFA0};
  return invisible.count(c) != 0;
}

bool IsDigit(char32_t c) {
  return c >= U'0' && c <= U'9';
}

bool IsAsciiLetterOrDigit(char32_t c) {
  return IsLatin(c) || IsDigit(c);
}

// The longest shape of the table spelt by chars[k, end).
const LookalikeShape* ShapeAt(const Chars& chars, size_t k, size_t end) {
  const LookalikeShape* longest = nullptr;
  for (const LookalikeShape& s : BuiltinLookalikes().Shapes()) {
    if (end - k < s.shape.size() || (longest && longest->shape.size() >= s.shape.size())) continue;
    bool same = true;
    for (size_t n = 0; n < s.shape.size(); ++n)
      same = same && chars[k + n].code_point == s.shape[n];
    if (same) longest = &s;
  }
  return longest;
}

// Look-alike shapes read left to right: `out` is what has been read, `in` the text.
Chars ReadLookalike(const Chars& in) {
  Chars out;
  const auto at = [&](size_t k) { return k < in.size() ? in[k].code_point : U'\0'; };
  const auto last = [&](size_t back) {
    return out.size() > back ? out[out.size() - 1 - back].code_point : U'\0';
  };
  const auto consonant = [](char32_t c) { return c >= 0x3131 && c <= 0x314E; };
  const auto vowel_at = [&](size_t k) {
    const LookalikeShape* s = k < in.size() ? ShapeAt(in, k, in.size()) : nullptr;
    return IsVowel(at(k)) || (s && s->kind == ShapeKind::kVowel);
  };
  // Touches Hangul, or stands between Hangul words (or one and an end) with spaces.
  const auto among_hangul = [&](size_t end, bool may_stand_alone) {
    if (IsHangul(last(0)) || IsHangul(at(end))) return true;
    if (!may_stand_alone) return false;
    size_t back = 0;
    while (last(back) == U' ')
      ++back;
    if (!out.empty() && (back == 0 || (back < out.size() && !IsHangul(last(back))))) return false;
    const bool hangul_before = back < out.size();
    size_t k = end;
    while (at(k) == U'!' || at(k) == U'?' || at(k) == U'.' || at(k) == U'~')
      ++k;
    while (at(k) == U' ')
      ++k;
    return k >= in.size() ? hangul_before : k > end && IsHangul(at(k));
  };
  const auto joins = [](char32_t c) {
    return c == U'.' || c == U',' || c == U':' || c == U'/' || c == U'-' || c == U'~';
  };
  const auto emit = [&](char32_t c, size_t first, size_t end) {
    out.push_back({c, in[first].begin, in[end - 1].end});
  };
  for (size_t k = 0; k < in.size();) {
    if (!IsAsciiLetterOrDigit(at(k))) {
      const LookalikeShape* s = ShapeAt(in, k, in.size());
      const size_t end = s ? k + s->shape.size() : k + 1;
      const bool counts = s && (s->kind == ShapeKind::kVowel
                                    ? consonant(last(0))
                                    : IsHangul(last(0)) || IsHangul(at(end)) || vowel_at(end));
      if (counts) {
        emit(s->read_as[0], k, end);
      } else {
        out.push_back(in[k]);
      }
      k = counts ? end : k + 1;
      continue;
    }
    size_t end = k;
    while (IsAsciiLetterOrDigit(at(end)))
      ++end;
    const LookalikeShape* whole = ShapeAt(in, k, end);
    if (whole && whole->kind == ShapeKind::kNumber && whole->shape.size() == end - k &&
        !(joins(last(0)) && IsDigit(last(1))) && at(end) != U'%' && at(end) != U'+' &&
        !(joins(at(end)) && IsDigit(at(end + 1))) && among_hangul(end, whole->read_as.size() > 1)) {
      size_t after = end;
      while (at(after) == U' ')
        ++after;
      if (!KeepsNumber(at(after), at(after + 1), after > end)) {
        const std::u32string& syllables = whole->read_as;
        for (size_t n = 0; n < syllables.size(); ++n)
          emit(syllables[n], k + n, n + 1 == syllables.size() ? end : k + n + 1);
        k = end;
        continue;
      }
    }
    std::vector<std::pair<const LookalikeShape*, size_t>> pieces;  // shape, first char
    bool digits_only = true;
    for (size_t n = k; n < end; ++n)
      digits_only = digits_only && IsDigit(at(n));
    bool read = end - k <= 16 &&
                !(digits_only && IsHangul(last(0)) && IsHangul(at(end)) && !IsVowel(at(end)));
    for (size_t n = k; read && n < end;) {
      const LookalikeShape* s = ShapeAt(in, n, end);
      read = s && s->kind != ShapeKind::kNumber;
      if (read) pieces.push_back({s, n});
      n += read ? s->shape.size() : 0;
    }
    for (size_t p = 0; read && p < pieces.size(); ++p) {
      if (pieces[p].first->kind == ShapeKind::kConsonant) {
        read =
            p + 1 < pieces.size() ? pieces[p + 1].first->kind == ShapeKind::kVowel : vowel_at(end);
      } else {
        read = p > 0 ? pieces[p - 1].first->kind == ShapeKind::kConsonant : consonant(last(0));
      }
    }
    read = read && (pieces[0].first->kind != ShapeKind::kConsonant || among_hangul(end, true));
    for (size_t n = k; n < end; ++n) {
      if (!read) out.push_back(in[n]);
    }
    for (size_t p = 0; read && p < pieces.size(); ++p)
      emit(pieces[p].first->read_as[0], pieces[p].second,
           pieces[p].second + pieces[p].first->shape.size());
    k = end;
  }
  return out;
}

std::u32string CodePoints(const Chars& chars) {
  std::u32string out;
  for (const ReadChar& c : chars)
    out.push_back(c.code_point);
  return out;
}

std::u32string Keystrokes(const std::u32string& key, bool merge_repeats) {
  std::u32string keys;
  const auto type = [&](char32_t letter) {
    for (const char k : KeysOfLetter(letter))
      keys.push_back(k >= 'A' && k <= 'Z' ? k + 0x20 : k);
  };
  for (const char32_t c : key) {
    if (const auto p = SplitSyllable(c)) {
      type(LeadLetter(p->lead));
      type(VowelLetter(p->vowel));
      if (p->tail != 0) type(TailLetter(p->tail));
    } else {
      type(c);
    }
  }
  if (!merge_repeats) return keys;
  std::u32string merged;
  for (const char32_t k : keys) {
    if (merged.empty() || merged.back() != k) merged.push_back(k);
  }
  return merged;
}

std::u32string Clustered(const std::u32string& form) {
  std::u32string out;
  for (size_t k = 0; k < form.size(); ++k) {
    const int joined =
        k + 1 < form.size() ? JoinTails(TailOfLetter(form[k]), TailOfLetter(form[k + 1])) : 0;
    if (joined != 0) {
      out.push_back(TailLetter(joined));
      ++k;
    } else {
      out.push_back(form[k]);
    }
  }
  return out;
}

}  // namespace

std::vector<ReadChar> ReadKorean(uint32_t options, const std::u32string& text) {
  Chars chars;
  for (size_t k = 0; k < text.size(); ++k) {
    const char32_t c = text[k] >= U'A' && text[k] <= U'Z' ? text[k] + 0x20 : text[k];
    chars.push_back({c, k, k + 1});
  }
  if (Has(options, CHATSIEVE_WIDTH)) {
    for (ReadChar& c : chars) {
      c.code_point = OrdinaryWidth(c.code_point);
      if (c.code_point >= U'A' && c.code_point <= U'Z') c.code_point += 0x20;
    }
  }
  if (Has(options, CHATSIEVE_LOOKALIKE)) chars = ReadLookalike(chars);
  if (Has(options, CHATSIEVE_JAMO)) chars = Compose(chars);
  if (Has(options, CHATSIEVE_INVISIBLE))
    chars = Without(chars, [&](size_t k) { return IsInvisible(chars[k].code_point); });
  if (Has(options, CHATSIEVE_SEPARATORS)) chars = SkipSeparators(chars);
  if (Has(options, CHATSIEVE_DIGITS)) chars = SkipDigits(chars);
  if (Has(options, CHATSIEVE_REPEATS)) chars = Merge(chars);
  if (Has(options, CHATSIEVE_SPACES)) chars = SkipSpaces(chars);
  return chars;
}

std::vector<std::pair<std::u32string, bool>> KeysOfWord(uint32_t options,
                                                        const std::u32string& word, bool allowed) {
  const std::u32string key = CodePoints(ReadKorean(options, word));
  std::vector<std::pair<std::u32string, bool>> keys;
  // Read as nothing, or as one character the word did not consist of alone: left out.
  if (key.empty() || (key.size() == 1 && word.size() > 1)) return keys;
  keys.push_back({key, false});
  if (allowed && Has(options, CHATSIEVE_SPACES)) {
    // A syllable the text puts before the word, after it or both keeps a one-syllable
    // piece at that end apart: the word is also read so.
    const Chars unspaced = ReadKorean(options & ~uint32_t{CHATSIEVE_SPACES}, word);
    for (const auto& [before, after] :
         {std::pair{true, false}, std::pair{false, true}, std::pair{true, true}}) {
      Chars touched;
      if (before) touched.push_back({U'가', 0, 0});
      for (const ReadChar& c : unspaced)
        touched.push_back(c);
      if (after) touched.push_back({U'가', 0, 0});
      const std::u32string read = CodePoints(SkipSpaces(touched));
      const size_t first = before ? 1 : 0, last = read.size() - (after ? 1 : 0);
      const std::u32string form = read.substr(first, last - first);
      const bool known =
          std::any_of(keys.begin(), keys.end(), [&](const auto& k) { return k.first == form; });
      if (!form.empty() && !known) keys.push_back({form, false});
    }
  }
  bool hangul = true, syllable = false;
  std::vector<size_t> syllables;
  for (size_t k = 0; k < key.size(); ++k) {
    hangul = hangul && IsHangul(key[k]);
    if (IsSyllable(key[k])) syllables.push_back(k);
  }
  syllable = !syllables.empty();
  const std::u32string typed = Keystrokes(key, Has(options, CHATSIEVE_REPEATS));
  if (Has(options, CHATSIEVE_KEYBOARD) && hangul && syllable && typed.size() >= 4)
    keys.push_back({typed, true});
  if (Has(options, CHATSIEVE_REPEATS)) {
    for (const size_t k : syllables) {
      const SyllableParts p = *SplitSyllable(key[k]);
      if (p.tail == 0) continue;
      keys.push_back({key.substr(0, k) + JoinSyllable({p.lead, p.vowel, 0}) +
                          JoinSyllable({kSilentLead, DrawnOutVowel(p.vowel), p.tail}) +
                          key.substr(k + 1),
                      false});
    }
  }
  if (Has(options, CHATSIEVE_LOOKALIKE) && Has(options, CHATSIEVE_DIGITS)) {
    for (size_t k = 1; k < key.size(); ++k) {
      if (!IsHangul(key[k - 1]) || !IsHangul(key[k])) continue;
      for (const std::u32string& number : BuiltinLookalikes().NumberReadings())
        keys.push_back({key.substr(0, k) + number + key.substr(k), false});
    }
  }
  if (Has(options, CHATSIEVE_INITIALS) && !allowed && syllables.size() >= 2) {
    const size_t subsets = size_t{1} << syllables.size();
    for (size_t chosen = syllables.size() > 6 ? subsets - 1 : 1; chosen < subsets; ++chosen) {
      std::u32string form = key;
      for (size_t s = 0; s < syllables.size(); ++s) {
        if ((chosen >> s) & 1)
          form[syllables[s]] = LeadLetter(SplitSyllable(key[syllables[s]])->lead);
      }
      if (form[0] == U'ㅇ' || IsChatAbbreviation(form)) continue;
      keys.push_back({form, false});
      const std::u32string clustered = Clustered(form);
      if (clustered != form && !IsChatAbbreviation(clustered)) keys.push_back({clustered, false});
    }
  }
  return keys;
}

namespace {

struct Occurrence {
  Find find;
  size_t first, last;  // read characters
};

std::vector<Occurrence> Uncovered(uint32_t options, const std::vector<std::u32string>& words,
                                  const std::vector<std::u32string>& allowed, const Chars& chars) {
  const auto occurrences = [&](const std::vector<std::u32string>& list, bool are_allowed) {
    std::vector<Occurrence> found;
    std::set<std::u32string> earlier;
    for (size_t w = 0; w < list.size(); ++w) {
      const std::vector<std::pair<std::u32string, bool>> keys =
          KeysOfWord(options, list[w], are_allowed);
      // A word read as an earlier word (not left out) is that word. Allowed words only
      // cover, so one read as another covers what it does, and what its spaces read
      // apart beside a syllable.
      if (keys.empty() || (!earlier.insert(keys.front().first).second && !are_allowed)) continue;
      for (const auto& [key, whole_token] : keys) {
        for (size_t at = 0; at + key.size() <= chars.size(); ++at) {
          bool same = true;
          for (size_t k = 0; k < key.size() && same; ++k)
            same = chars[at + k].code_point == key[k];
          if (!same) continue;
          const size_t after = at + key.size();
          if (whole_token && ((at > 0 && IsLatin(chars[at - 1].code_point)) ||
                              (after < chars.size() && IsLatin(chars[after].code_point))))
            continue;
          found.push_back(
              {{chars[at].begin, chars[after - 1].end, static_cast<uint32_t>(w)}, at, after - 1});
        }
      }
    }
    return found;
  };
  const std::vector<Occurrence> allowed_found = occurrences(allowed, true);
  std::vector<Occurrence> found;
  for (const Occurrence& f : occurrences(words, false)) {
    bool covered = false;
    for (const Occurrence& a : allowed_found)
      covered = covered || (std::get<0>(a.find) <= std::get<0>(f.find) &&
                            std::get<1>(f.find) <= std::get<1>(a.find));
    if (!covered) found.push_back(f);
  }
  return found;
}

}  // namespace

std::set<Find> FindKorean(uint32_t options, const std::vector<std::u32string>& words,
                          const std::vector<std::u32string>& allowed, const std::u32string& text) {
  std::set<Find> found;
  for (const Occurrence& o : Uncovered(options, words, allowed, ReadKorean(options, text)))
    found.insert(o.find);
  return found;
}

std::u32string MaskKorean(uint32_t options, const std::vector<std::u32string>& words,
                          const std::vector<std::u32string>& allowed, const std::u32string& text) {
  const Chars chars = ReadKorean(options, text);
  std::u32string masked = text;
  for (const Occurrence& o : Uncovered(options, words, allowed, chars)) {
    for (size_t k = o.first; k <= o.last; ++k) {
      for (size_t c = chars[k].begin; c < chars[k].end; ++c)
        masked[c] = U'*';
    }
  }
  return masked;
}

}  // namespace chatsieve::reference
