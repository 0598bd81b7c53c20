#include "text/hangul.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace chatsieve::platform {
namespace {

TEST(Hangul, EverySyllableSplitsAndJoinsBack) {
  std::set<char32_t> joined;
  for (int lead = 0; lead < kLeadCount; ++lead) {
    for (int vowel = 0; vowel < kVowelCount; ++vowel) {
      for (int tail = 0; tail < kTailCount; ++tail) {
        const char32_t syllable = JoinSyllable({lead, vowel, tail});
        ASSERT_TRUE(IsSyllable(syllable));
        const auto parts = SplitSyllable(syllable);
        ASSERT_TRUE(parts);
        EXPECT_EQ(parts->lead, lead);
        EXPECT_EQ(parts->vowel, vowel);
        EXPECT_EQ(parts->tail, tail);
        joined.insert(syllable);
      }
    }
  }
  EXPECT_EQ(joined.size(), 11172u);
  EXPECT_EQ(*joined.begin(), U'가');
  EXPECT_EQ(*joined.rbegin(), U'힣');
  EXPECT_FALSE(SplitSyllable(0xABFF));
  EXPECT_FALSE(SplitSyllable(0xD7A4));
}

TEST(Hangul, CompatibilityLettersNameEveryJamoOnce) {
  std::set<char32_t> letters;
  for (int lead = 0; lead < kLeadCount; ++lead) {
    EXPECT_EQ(LeadOfLetter(LeadLetter(lead)), lead);
    letters.insert(LeadLetter(lead));
  }
  for (int tail = 1; tail < kTailCount; ++tail) {
    EXPECT_EQ(TailOfLetter(TailLetter(tail)), tail);
    letters.insert(TailLetter(tail));
  }
  for (int vowel = 0; vowel < kVowelCount; ++vowel) {
    EXPECT_EQ(VowelOfLetter(VowelLetter(vowel)), vowel);
    EXPECT_EQ(LeadOfLetter(VowelLetter(vowel)), kNoJamo);
    EXPECT_EQ(TailOfLetter(VowelLetter(vowel)), 0);
    letters.insert(VowelLetter(vowel));
  }
  // 30 consonants (those that can lead, those that can end) and 21 vowels, nothing else.
  EXPECT_EQ(letters.size(), 51u);
  EXPECT_EQ(*letters.begin(), U'ㄱ');
  EXPECT_EQ(*letters.rbegin(), U'ㅣ');
  EXPECT_EQ(LeadOfLetter(U'ㄳ'), kNoJamo);
  EXPECT_EQ(TailOfLetter(U'ㄸ'), 0);
  EXPECT_EQ(LeadOfLetter(0x3164), kNoJamo);
}

TEST(Hangul, ConjoiningJamoAreTheirIndices) {
  for (char32_t c = 0x1100; c < 0x1200; ++c) {
    const int lead = ConjoiningLead(c), vowel = ConjoiningVowel(c), tail = ConjoiningTail(c);
    EXPECT_EQ(lead != kNoJamo, c <= 0x1112) << std::hex << uint32_t{c};
    EXPECT_EQ(vowel != kNoJamo, c >= 0x1161 && c <= 0x1175) << std::hex << uint32_t{c};
    EXPECT_EQ(tail != 0, c >= 0x11A8 && c <= 0x11C2) << std::hex << uint32_t{c};
    if (lead != kNoJamo) {
      EXPECT_EQ(0x1100 + static_cast<char32_t>(lead), c);
    }
    if (vowel != kNoJamo) {
      EXPECT_EQ(0x1161 + static_cast<char32_t>(vowel), c);
    }
    if (tail != 0) {
      EXPECT_EQ(0x11A7 + static_cast<char32_t>(tail), c);
    }
  }
}

TEST(Hangul, CompoundsJoinAsTheyAreTyped) {
  int vowel_pairs = 0, tail_pairs = 0;
  for (int first = 0; first < kVowelCount; ++first) {
    for (int second = 0; second < kVowelCount; ++second) {
      const int joined = JoinVowels(first, second);
      if (joined == kNoJamo) continue;
      ++vowel_pairs;
      EXPECT_EQ(std::string(KeysOfLetter(VowelLetter(joined))),
                std::string(KeysOfLetter(VowelLetter(first))) +
                    std::string(KeysOfLetter(VowelLetter(second))));
    }
  }
  for (int first = 1; first < kTailCount; ++first) {
    for (int second = 1; second < kTailCount; ++second) {
      const int joined = JoinTails(first, second);
      if (joined == 0) continue;
      ++tail_pairs;
      EXPECT_EQ(std::string(KeysOfLetter(TailLetter(joined))),
                std::string(KeysOfLetter(TailLetter(first))) +
                    std::string(KeysOfLetter(TailLetter(second))));
    }
  }
  EXPECT_EQ(vowel_pairs, 7);
  EXPECT_EQ(tail_pairs, 11);
}

TEST(Hangul, EveryLetterHasItsOwnKeys) {
  std::set<std::string> keys;
  for (char32_t letter = 0x3131; letter <= 0x3163; ++letter) {
    const std::string_view typed = KeysOfLetter(letter);
    ASSERT_FALSE(typed.empty()) << std::hex << uint32_t{letter};
    EXPECT_TRUE(keys.insert(std::string(typed)).second) << typed;
  }
  EXPECT_EQ(KeysOfLetter(U'ㄱ'), "r");
  EXPECT_EQ(KeysOfLetter(U'ㄲ'), "R");
  EXPECT_EQ(KeysOfLetter(U'ㅄ'), "qt");
  EXPECT_TRUE(KeysOfLetter(0x3164).empty());
}

TEST(Hangul, WideAndNarrowFormsReadAsOrdinary) {
  for (char32_t c = 0xFF01; c <= 0xFF5E; ++c)
    EXPECT_EQ(OrdinaryWidth(c), c - 0xFF01 + 0x21);
  std::set<char32_t> letters;
  for (char32_t c = 0xFFA1; c <= 0xFFDC; ++c) {
    const char32_t ordinary = OrdinaryWidth(c);
    if (ordinary == c) continue;
    EXPECT_TRUE(IsCompatibilityJamo(ordinary)) << std::hex << uint32_t{c};
    letters.insert(ordinary);
  }
  EXPECT_EQ(letters.size(), 51u);  // every letter, each from one half-width form
  EXPECT_EQ(OrdinaryWidth(0xFFA0), 0x3164u);
  EXPECT_EQ(OrdinaryWidth(0x3000), U' ');
  EXPECT_EQ(OrdinaryWidth(0xFFDD), 0xFFDDu);
  EXPECT_EQ(OrdinaryWidth(U'가'), U'가');
}

}  // namespace
}  // namespace chatsieve::platform
