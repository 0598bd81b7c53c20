#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "chatsieve/filter.h"
#include "engine/char_preparation.h"
#include "engine/korean/jamo_composition.h"
#include "text/hangul.h"

namespace chatsieve {
namespace {

TextChars Read(std::u32string_view text) {
  TextChars chars;
  for (size_t at = 0; at < text.size(); ++at)
    chars.push_back({FoldCase(text[at]), at, at + 1});
  return chars;
}

std::u32string CodePoints(const TextChars& chars) {
  std::u32string out;
  for (const TextChar& c : chars)
    out.push_back(c.code_point);
  return out;
}

// Each prepared character as the original characters it spans, '|' between them.
std::u32string Spans(const TextChars& chars, std::u32string_view text) {
  std::u32string out;
  for (const TextChar& c : chars) {
    if (!out.empty()) out.push_back(U'|');
    out += text.substr(c.begin, c.end - c.begin);
  }
  return out;
}

struct Case {
  uint32_t options;
  std::u32string text;
  std::u32string read;   // as the options read it
  std::u32string spans;  // the original characters of each, '|' between; empty: not checked
};

TEST(KoreanText, EachOptionReadsTheTextItsWay) {
  const std::vector<Case> cases = {
      {CHATSIEVE_WIDTH, U"ｓｉＢａｌ　ﾡﾵ", U"sibal ㄱㅅ", U""},
      {CHATSIEVE_INVISIBLE, U"시\u200B발\u3164놈\uFEFF\u00AD", U"시발놈", U""},
      {CHATSIEVE_INVISIBLE, U"a\u2060b\u115F\u1160c\uFFA0", U"abc", U""},
      {CHATSIEVE_JAMO, U"ㅅㅣㅂㅏㄹ", U"시발", U"ㅅㅣ|ㅂㅏㄹ"},
      {CHATSIEVE_JAMO, U"ㅂㅕㅇㅅㅣㄴ", U"병신", U"ㅂㅕㅇ|ㅅㅣㄴ"},
      {CHATSIEVE_JAMO, U"시ㅂㅏㄹ", U"시발", U"시|ㅂㅏㄹ"},
      {CHATSIEVE_JAMO, U"ㄱㅗㅏㄴㄴㅏ", U"관나", U"ㄱㅗㅏㄴ|ㄴㅏ"},
      {CHATSIEVE_JAMO, U"ㄱㅏㅂㅅㅇㅣ", U"값이", U"ㄱㅏㅂㅅ|ㅇㅣ"},
      {CHATSIEVE_JAMO, U"ㄱㅏㅂㅅ", U"값", U""},
      {CHATSIEVE_JAMO, U"ㄲㅓㅈㅕㅋㅋ", U"꺼져ㅋㅋ", U"ㄲㅓ|ㅈㅕ|ㅋ|ㅋ"},
      {CHATSIEVE_JAMO, U"ㅋㅋㅋ ㅠㅠ ㅇㅇ", U"ㅋㅋㅋ ㅠㅠ ㅇㅇ", U""},
      {CHATSIEVE_JAMO, U"\u1109\u1175\u1107\u1161\u11AF", U"시발", U""},
      {CHATSIEVE_JAMO, U"바\u11AF", U"발", U""},
      {CHATSIEVE_DIGITS, U"시1발 병12신 ㅅ3ㅂ 3시 a1b", U"시발 병신 ㅅㅂ 3시 a1b", U""},
      {CHATSIEVE_REPEATS, U"시이이발 개애새끼 씨바아알", U"시발 개새끼 씨바알", U""},
      {CHATSIEVE_REPEATS, U"니애미임 발아 야아", U"니애미임 발아 야", U""},
      {CHATSIEVE_REPEATS, U"FuUuck", U"fuck", U"F|uUu|c|k"},
      {CHATSIEVE_SPACES, U"시 발 개  새 끼", U"시발개새끼", U""},
      {CHATSIEVE_SPACES, U"몇 시 발표 자 지금 아저씨 발", U"몇시 발표 자 지금 아저씨 발", U""},
      // Letters are composed only while they stand side by side.
      {CHATSIEVE_JAMO | CHATSIEVE_INVISIBLE, U"ㅅ\u200Bㅣ", U"ㅅㅣ", U""},
      {CHATSIEVE_REPEATS | CHATSIEVE_SEPARATORS, U"fu.u", U"fuu", U""},
      {CHATSIEVE_KOREAN | CHATSIEVE_SEPARATORS, U"Ｓ.Ｓ ㅅ1ㅂ ㅅㅣ이ㅂㅏㄹ", U"ss ㅅㅂ 시발",
       U"Ｓ|Ｓ| |ㅅ|ㅂ| |ㅅㅣ이|ㅂㅏㄹ"},
  };
  for (const Case& c : cases) {
    TextChars chars = Read(c.text);
    PrepareChars(MatchOptions::FromBits(c.options), BuiltinLookalikes(), chars);
    EXPECT_EQ(CodePoints(chars), c.read) << c.options;
    if (!c.spans.empty()) {
      EXPECT_EQ(Spans(chars, c.text), c.spans) << c.options;
    }
  }
}

std::u32string Spelt(platform::SyllableParts parts, bool split_compounds) {
  std::u32string letters{platform::LeadLetter(parts.lead)};
  const auto add_vowel = [&](int vowel) {
    for (int first = 0; split_compounds && first < platform::kVowelCount; ++first) {
      for (int second = 0; second < platform::kVowelCount; ++second) {
        if (platform::JoinVowels(first, second) != vowel) continue;
        letters += {platform::VowelLetter(first), platform::VowelLetter(second)};
        return;
      }
    }
    letters.push_back(platform::VowelLetter(vowel));
  };
  add_vowel(parts.vowel);
  if (parts.tail == 0) return letters;
  for (int first = 1; split_compounds && first < platform::kTailCount; ++first) {
    for (int second = 1; second < platform::kTailCount; ++second) {
      if (platform::JoinTails(first, second) != parts.tail) continue;
      letters += {platform::TailLetter(first), platform::TailLetter(second)};
      return letters;
    }
  }
  letters.push_back(platform::TailLetter(parts.tail));
  return letters;
}

std::u32string Composed(std::u32string text) {
  TextChars chars = Read(text);
  ComposeJamo(chars);
  return CodePoints(chars);
}

TEST(KoreanText, EverySyllableComposesFromItsLettersAndKeys) {
  // The 2-set layout read back: each key the letter it types.
  std::map<char, char32_t> letter_of_key;
  for (char32_t letter = 0x3131; letter <= 0x3163; ++letter) {
    const std::string_view keys = platform::KeysOfLetter(letter);
    if (keys.size() == 1) letter_of_key[keys[0]] = letter;
  }
  for (char32_t syllable = 0xAC00; syllable <= 0xD7A3; ++syllable) {
    const platform::SyllableParts parts = *platform::SplitSyllable(syllable);
    const std::u32string whole = Spelt(parts, false);
    ASSERT_EQ(Composed(whole), std::u32string(1, syllable)) << std::hex << uint32_t{syllable};
    ASSERT_EQ(Composed(Spelt(parts, true)), std::u32string(1, syllable))
        << std::hex << uint32_t{syllable};
    std::u32string decomposed = {0x1100 + static_cast<char32_t>(parts.lead),
                                 0x1161 + static_cast<char32_t>(parts.vowel)};
    if (parts.tail != 0) decomposed.push_back(0x11A7 + static_cast<char32_t>(parts.tail));
    ASSERT_EQ(Composed(decomposed), std::u32string(1, syllable)) << std::hex << uint32_t{syllable};
    std::u32string typed;
    for (const char32_t letter : whole) {
      for (const char key : platform::KeysOfLetter(letter))
        typed.push_back(letter_of_key.at(key));
    }
    ASSERT_EQ(Composed(typed), std::u32string(1, syllable)) << std::hex << uint32_t{syllable};
  }
}

}  // namespace
}  // namespace chatsieve
