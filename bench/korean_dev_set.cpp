#include "korean_dev_set.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <random>

#include "chatsieve/filter.h"
#include "engine/korean/lookalike_table.h"
#include "engine/text_char.h"
#include "text/hangul.h"
#include "text/unicode_text.h"

namespace chatsieve::bench {
namespace {

using Random = std::mt19937;
using Disguise = std::function<std::optional<std::u32string>(const std::u32string&, Random&)>;

size_t Pick(Random& random, size_t count) {
  return std::uniform_int_distribution<size_t>(0, count - 1)(random);
}

bool Chance(Random& random) {
  return Pick(random, 2) == 0;
}

std::u32string Decode(const std::string& text) {
  std::u32string out;
  for (size_t at = 0; at < text.size();) {
    const DecodedChar c = Utf8::Decode(text.data() + at, text.size() - at);
    out.push_back(c.code_point);
    at += c.units;
  }
  return out;
}

std::string Encode(const std::u32string& text) {
  std::string out;
  for (const char32_t c : text)
    Utf8::Append(out, c);
  return out;
}

bool AllSyllables(const std::u32string& word) {
  return std::all_of(word.begin(), word.end(), platform::IsSyllable);
}

bool AllLatin(const std::u32string& word) {
  return std::all_of(word.begin(), word.end(), [](char32_t c) { return IsLatinLetter(c); });
}

// The compatibility jamo a syllable is typed with, compound vowels and tails as their
// parts when `split` says so.
std::u32string Spelt(char32_t syllable, bool split) {
  const platform::SyllableParts parts = *platform::SplitSyllable(syllable);
  std::u32string letters{platform::LeadLetter(parts.lead)};
  const auto add = [&](char32_t letter) {
    const std::string_view keys = platform::KeysOfLetter(letter);
    if (!split || keys.size() < 2) {
      letters.push_back(letter);
      return;
    }
    // A compound letter is typed as two keys, each a letter of its own.
    for (const char key : keys) {
      for (char32_t c = 0x3131; c <= 0x3163; ++c) {
        if (platform::KeysOfLetter(c) == std::string_view(&key, 1)) letters.push_back(c);
      }
    }
  };
  add(platform::VowelLetter(parts.vowel));
  if (parts.tail != 0) add(platform::TailLetter(parts.tail));
  return letters;
}

char32_t HalfWidth(char32_t letter) {
  for (char32_t c = 0xFFA1; c <= 0xFFDC; ++c) {
    if (platform::OrdinaryWidth(c) == letter) return c;
  }
  return letter;
}

std::u32string Keystrokes(const std::u32string& word, Random& random) {
  std::u32string keys;
  for (const char32_t syllable : word) {
    for (const char32_t letter : Spelt(syllable, false)) {
      for (const char key : platform::KeysOfLetter(letter))
        keys.push_back(static_cast<char32_t>(key));
    }
  }
  switch (Pick(random, 3)) {
    case 0:  // caps lock
      for (char32_t& c : keys)
        c = c >= U'a' && c <= U'z' ? c - 0x20 : c + 0x20;
      break;
    case 1:  // Shift forgotten
      for (char32_t& c : keys)
        c = FoldCase(c);
      break;
    default:
      break;
  }
  return keys;
}

char32_t DrawnOut(int vowel, int tail) {
  return platform::JoinSyllable({platform::kSilentLead, platform::DrawnOutVowel(vowel), tail});
}

std::u32string DrawOut(const std::u32string& word, Random& random) {
  const size_t at = Pick(random, word.size());
  const platform::SyllableParts parts = *platform::SplitSyllable(word[at]);
  std::u32string out = word.substr(0, at);
  out.push_back(platform::JoinSyllable({parts.lead, parts.vowel, 0}));
  for (size_t extra = Pick(random, 3) + (parts.tail == 0 ? 1 : 0); extra > 0; --extra)
    out.push_back(DrawnOut(parts.vowel, 0));
  if (parts.tail != 0) out.push_back(DrawnOut(parts.vowel, parts.tail));
  return out + word.substr(at + 1);
}

std::u32string Between(const std::u32string& word, const std::u32string& inserted, size_t at) {
  return word.substr(0, at) + inserted + word.substr(at);
}

// The shapes of the look-alike table that read as `letter`.
std::vector<std::u32string> ShapesOf(char32_t letter) {
  std::vector<std::u32string> shapes;
  for (const LookalikeShape& shape : BuiltinLookalikes().Shapes()) {
    if (shape.kind != ShapeKind::kNumber && shape.read_as.front() == letter)
      shapes.push_back(shape.shape);
  }
  return shapes;
}

// A letter as one of its shapes, or as itself when it has none or by chance.
std::u32string Shaped(char32_t letter, bool& shaped, Random& random) {
  const std::vector<std::u32string> shapes = ShapesOf(letter);
  if (shapes.empty() || Pick(random, 3) == 0) return {letter};
  shaped = true;
  std::u32string shape = shapes[Pick(random, shapes.size())];
  // Upper case as often as lower: the table is read without case.
  if (Chance(random)) {
    for (char32_t& c : shape)
      c = IsLatinLetter(c) ? c - 0x20 : c;
  }
  return shape;
}

// A number for the syllables it sounds like (씨발 as 18), or one syllable written with
// shapes for its lead or vowel (7H for 개, ㅅl for 시, 人ㅣ for 시).
std::optional<std::u32string> Lookalike(const std::u32string& word, Random& random) {
  if (Chance(random)) {
    for (const LookalikeShape& number : BuiltinLookalikes().Shapes()) {
      const size_t at = word.find(number.read_as);
      if (number.kind == ShapeKind::kNumber && at != std::u32string::npos)
        return word.substr(0, at) + number.shape + word.substr(at + number.read_as.size());
    }
  }
  for (size_t tries = 0; tries < 8; ++tries) {
    const size_t at = Pick(random, word.size());
    const platform::SyllableParts parts = *platform::SplitSyllable(word[at]);
    bool shaped = false;
    std::u32string letters = Shaped(platform::LeadLetter(parts.lead), shaped, random);
    letters += Shaped(platform::VowelLetter(parts.vowel), shaped, random);
    if (!shaped) continue;
    if (parts.tail != 0) letters.push_back(platform::TailLetter(parts.tail));
    return word.substr(0, at) + letters + word.substr(at + 1);
  }
  return std::nullopt;
}

struct KindRecipe {
  const char* name;
  uint32_t needs;
  bool hangul;
  Disguise disguise;
};

std::vector<KindRecipe> Recipes() {
  const std::u32string invisibles = U"\u200B\u200C\u200D\u2060\uFEFF\u00AD\u3164\u115F\u1160\uFFA0";
  return {
      {"full-width Latin", CHATSIEVE_WIDTH, false,
       [](const std::u32string& w, Random& r) -> std::optional<std::u32string> {
         std::u32string out;
         for (const char32_t c : w)
           out.push_back(c - U'a' + (Chance(r) ? 0xFF41 : 0xFF21));
         return out;
       }},
      {"half-width jamo", CHATSIEVE_WIDTH | CHATSIEVE_JAMO, true,
       [](const std::u32string& w, Random&) -> std::optional<std::u32string> {
         std::u32string out;
         for (const char32_t c : w) {
           for (const char32_t letter : Spelt(c, false))
             out.push_back(HalfWidth(letter));
         }
         return out;
       }},
      {"invisible between letters", CHATSIEVE_INVISIBLE, true,
       [invisibles](const std::u32string& w, Random& r) -> std::optional<std::u32string> {
         if (w.size() < 2) return std::nullopt;
         return Between(w, std::u32string(1, invisibles[Pick(r, invisibles.size())]),
                        1 + Pick(r, w.size() - 1));
       }},
      {"spelt in compatibility jamo", CHATSIEVE_JAMO, true,
       [](const std::u32string& w, Random& r) -> std::optional<std::u32string> {
         std::u32string out;
         const bool split = Chance(r);
         for (const char32_t c : w)
           out += Spelt(c, split);
         return out;
       }},
      {"one syllable spelt out", CHATSIEVE_JAMO, true,
       [](const std::u32string& w, Random& r) -> std::optional<std::u32string> {
         const size_t at = Pick(r, w.size());
         return w.substr(0, at) + Spelt(w[at], false) + w.substr(at + 1);
       }},
      {"conjoining jamo", CHATSIEVE_JAMO, true,
       [](const std::u32string& w, Random&) -> std::optional<std::u32string> {
         std::u32string out;
         for (const char32_t c : w) {
           const platform::SyllableParts p = *platform::SplitSyllable(c);
           out.push_back(0x1100 + static_cast<char32_t>(p.lead));
           out.push_back(0x1161 + static_cast<char32_t>(p.vowel));
           if (p.tail != 0) out.push_back(0x11A7 + static_cast<char32_t>(p.tail));
         }
         return out;
       }},
      {"initial consonants", CHATSIEVE_INITIALS, true,
       [](const std::u32string& w, Random& r) -> std::optional<std::u32string> {
         if (w.size() < 2) return std::nullopt;
         std::u32string out = w;
         const size_t subsets = (size_t{1} << w.size()) - 1;
         const size_t chosen = 1 + Pick(r, subsets);
         for (size_t k = 0; k < w.size(); ++k) {
           if ((chosen >> k) & 1)
             out[k] = platform::LeadLetter(platform::SplitSyllable(w[k])->lead);
         }
         return out;
       }},
      {"2-set keystrokes", CHATSIEVE_KEYBOARD, true,
       [](const std::u32string& w, Random& r) -> std::optional<std::u32string> {
         std::u32string line(1, U' ');
         line += Keystrokes(w, r);
         line.push_back(U' ');
         return line;
       }},
      {"digits between syllables", CHATSIEVE_DIGITS, true,
       [](const std::u32string& w, Random& r) -> std::optional<std::u32string> {
         if (w.size() < 2) return std::nullopt;
         std::u32string digits(1 + Pick(r, 2), U'0');
         for (char32_t& d : digits)
           d += static_cast<char32_t>(Pick(r, 10));
         return Between(w, digits, 1 + Pick(r, w.size() - 1));
       }},
      {"drawn-out syllable", CHATSIEVE_REPEATS, true,
       [](const std::u32string& w, Random& r) -> std::optional<std::u32string> {
         return DrawOut(w, r);
       }},
      {"repeated Latin letter", CHATSIEVE_REPEATS, false,
       [](const std::u32string& w, Random& r) -> std::optional<std::u32string> {
         const size_t at = Pick(r, w.size());
         return Between(w, std::u32string(1 + Pick(r, 3), w[at]), at);
       }},
      {"spaces between syllables", CHATSIEVE_SPACES, true,
       [](const std::u32string& w, Random&) -> std::optional<std::u32string> {
         if (w.size() < 2) return std::nullopt;
         std::u32string out{w[0]};
         for (size_t k = 1; k < w.size(); ++k)
           out += std::u32string{U' ', w[k]};
         return out;
       }},
      {"look-alike shapes", CHATSIEVE_LOOKALIKE | CHATSIEVE_JAMO, true,
       [](const std::u32string& w, Random& r) { return Lookalike(w, r); }},
  };
}

// Chat around the word, as it is typed.
const std::u32string kBefore[] = {U"", U"", U"야 ", U"아 ", U"진짜 ", U"ㅋㅋ ", U"이런 ", U"님 "};
const std::u32string kAfter[] = {U"", U"", U" 뭐함", U"ㅋㅋ", U" 진짜", U"!!", U" 하네", U"?"};

}  // namespace

std::vector<DisguiseKind> MakeDisguisedLines(const std::vector<std::string>& words,
                                             size_t lines_per_kind) {
  std::vector<std::u32string> hangul, latin;
  for (const std::string& word : words) {
    const std::u32string decoded = Decode(word);
    if (AllSyllables(decoded)) hangul.push_back(decoded);
    if (AllLatin(decoded)) latin.push_back(decoded);
  }
  Random random(20261209);
  std::vector<DisguiseKind> kinds;
  for (const KindRecipe& recipe : Recipes()) {
    const std::vector<std::u32string>& pool = recipe.hangul ? hangul : latin;
    DisguiseKind kind{recipe.name, recipe.needs, {}};
    for (size_t tries = 0; kind.lines.size() < lines_per_kind && tries < lines_per_kind * 20;
         ++tries) {
      const std::optional<std::u32string> disguised =
          recipe.disguise(pool[Pick(random, pool.size())], random);
      if (!disguised) continue;
      kind.lines.push_back(Encode(kBefore[Pick(random, std::size(kBefore))] + *disguised +
                                  kAfter[Pick(random, std::size(kAfter))]));
    }
    kinds.push_back(std::move(kind));
  }
  return kinds;
}

}  // namespace chatsieve::bench
