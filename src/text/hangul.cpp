#include "text/hangul.h"

#include <array>
#include <cstdint>

namespace chatsieve::platform {
namespace {

constexpr char32_t kFirstLetter = 0x3131;
constexpr int kLetterCount = 0x3163 - 0x3131 + 1;
constexpr int kConsonantLetters = 30;

// Each lead's and tail's compatibility jamo, as an offset from U+3131.
constexpr std::array<uint8_t, kLeadCount> kLeadOffsets = {0,  1,  3,  6,  7,  8,  16, 17, 18, 20,
                                                          21, 22, 23, 24, 25, 26, 27, 28, 29};
constexpr std::array<uint8_t, kTailCount> kTailOffsets = {0,  0,  1,  2,  3,  4,  5,  6,  8,  9,
                                                          10, 11, 12, 13, 14, 15, 16, 17, 19, 20,
                                                          21, 22, 23, 25, 26, 27, 28, 29};

struct LetterRoles {
  std::array<int8_t, kLetterCount> lead;
  std::array<int8_t, kLetterCount> tail;
};

constexpr LetterRoles MakeLetterRoles() {
  LetterRoles roles{};
  for (auto& lead : roles.lead)
    lead = kNoJamo;
  for (int lead = 0; lead < kLeadCount; ++lead)
    roles.lead[kLeadOffsets[lead]] = static_cast<int8_t>(lead);
  for (int tail = 1; tail < kTailCount; ++tail)
    roles.tail[kTailOffsets[tail]] = static_cast<int8_t>(tail);
  return roles;
}

constexpr LetterRoles kLetterRoles = MakeLetterRoles();

int LetterOffset(char32_t code_point) {
  return IsCompatibilityJamo(code_point) ? static_cast<int>(code_point - kFirstLetter) : -1;
}

// Ordered by letter: consonants U+3131..U+314E, then vowels U+314F..U+3163.
constexpr std::array<std::string_view, kLetterCount> kLetterKeys = {
    "r",  "R",  "rt", "s", "sw", "sg", "e",  "E",  "f", "fr", "fa", "fq", "ft",
    "fx", "fv", "fg", "a", "q",  "Q",  "qt", "t",  "T", "d",  "w",  "W",  "c",
    "z",  "x",  "v",  "g", "k",  "o",  "i",  "O",  "j", "p",  "u",  "P",  "h",
    "hk", "ho", "hl", "y", "n",  "nj", "np", "nl", "b", "m",  "ml", "l"};

struct Pair {
  int first, second, joined;
};

constexpr std::array<Pair, 7> kVowelPairs = {
    {{8, 0, 9}, {8, 1, 10}, {8, 20, 11}, {13, 4, 14}, {13, 5, 15}, {13, 20, 16}, {18, 20, 19}}};

constexpr std::array<Pair, 11> kTailPairs = {{{1, 19, 3},
                                              {4, 22, 5},
                                              {4, 27, 6},
                                              {8, 1, 9},
                                              {8, 16, 10},
                                              {8, 17, 11},
                                              {8, 19, 12},
                                              {8, 25, 13},
                                              {8, 26, 14},
                                              {8, 27, 15},
                                              {17, 19, 18}}};

constexpr std::array<int8_t, kVowelCount> kDrawnOut = {0, 1, 0,  1, 4, 5,  4,  5,  8,  0, 1,
                                                       5, 8, 13, 4, 5, 20, 13, 18, 20, 20};

}  // namespace

int LeadOfLetter(char32_t code_point) {
  const int offset = LetterOffset(code_point);
  return offset >= 0 ? kLetterRoles.lead[static_cast<size_t>(offset)] : kNoJamo;
}

int VowelOfLetter(char32_t code_point) {
  const int offset = LetterOffset(code_point);
  return offset >= kConsonantLetters ? offset - kConsonantLetters : kNoJamo;
}

int TailOfLetter(char32_t code_point) {
  const int offset = LetterOffset(code_point);
  return offset >= 0 ? kLetterRoles.tail[static_cast<size_t>(offset)] : 0;
}

char32_t LeadLetter(int lead) {
  return kFirstLetter + kLeadOffsets[static_cast<size_t>(lead)];
}

char32_t VowelLetter(int vowel) {
  return kFirstLetter + static_cast<char32_t>(kConsonantLetters + vowel);
}

char32_t TailLetter(int tail) {
  return kFirstLetter + kTailOffsets[static_cast<size_t>(tail)];
}

int JoinVowels(int first, int second) {
  for (const Pair& pair : kVowelPairs) {
    if (pair.first == first && pair.second == second) return pair.joined;
  }
  return kNoJamo;
}

int JoinTails(int first, int second) {
  for (const Pair& pair : kTailPairs) {
    if (pair.first == first && pair.second == second) return pair.joined;
  }
  return 0;
}

int DrawnOutVowel(int vowel) {
  return kDrawnOut[static_cast<size_t>(vowel)];
}

char32_t OrdinaryWidthOfForm(char32_t code_point) {
  if (code_point >= 0xFF01 && code_point <= 0xFF5E) return code_point - 0xFF01 + 0x21;
  if (code_point == 0x3000) return U' ';
  if (code_point == 0xFFA0) return 0x3164;  // the half-width filler
  if (code_point >= 0xFFA1 && code_point <= 0xFFBE) return code_point - 0xFFA1 + 0x3131;
  // The half-width vowels come in rows of six, six, six and three, two code points apart.
  if (code_point >= 0xFFC2 && code_point <= 0xFFDC) {
    const char32_t row = (code_point - 0xFFC2) / 8;
    const char32_t column = (code_point - 0xFFC2) % 8;
    if (column < 6 && row * 6 + column < kVowelCount) return 0x314F + row * 6 + column;
  }
  return code_point;
}

std::string_view KeysOfLetter(char32_t code_point) {
  const int offset = LetterOffset(code_point);
  return offset >= 0 ? kLetterKeys[static_cast<size_t>(offset)] : std::string_view();
}

}  // namespace chatsieve::platform
