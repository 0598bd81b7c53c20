// The Korean options against their plain reference, on random words and texts over an
// alphabet that holds every kind of character the options read.
#include <gtest/gtest.h>

#include <random>
#include <set>
#include <string>
#include <vector>

#include "chatsieve/filter.h"
#include "engine/random_korean_text.h"
#include "engine/screening.h"
#include "filter/compiled_words.h"
#include "reference/reference_korean.h"
#include "text/unicode_text.h"

namespace chatsieve {
namespace {

const std::u32string kSyllables = U"시발바이아알병신개새끼애미임몇자지";
const std::u32string kOthers =
    U"ㅅㅣㅂㅏㄹㅋㅇㅗㄱㅄㄴ\u1109\u1175\u1107\u1161\u11AF18 . tlqkfrouTA\u200B\u3164\uFFA0ｔﾵￜ"
    U"人口卜丨|Hl70,세";

using testing::RandomText;
using testing::Utf8Of;

WordList ListOf(const std::vector<std::u32string>& words) {
  WordList list;
  for (const std::u32string& word : words)
    list.Add(Utf8Of(word));
  return list;
}

// What the filter finds, in characters as the reference counts them: every character of
// these texts is one UTF-16 unit.
std::set<reference::Find> Finds(const ScreeningWords& screening, const std::u32string& text) {
  const std::u16string units(text.begin(), text.end());
  std::vector<Occurrence> found;
  FindWords<Utf16>(screening, units, found);
  std::set<reference::Find> finds;
  for (const Occurrence& o : found)
    finds.insert({o.begin, o.end, o.word});
  return finds;
}

TEST(KoreanDifferential, FindsAndMasksWhatTheReferenceDoes) {
  std::mt19937 random(11);
  const std::u32string all = kSyllables + kOthers;
  for (int round = 0; round < 400; ++round) {
    const uint32_t options =
        std::uniform_int_distribution<uint32_t>(0, MatchOptions::kKnownBits)(random);
    std::vector<std::u32string> words, allowed;
    for (int w = 0; w < 5; ++w)
      words.push_back(RandomText(random, w < 4 ? kSyllables : all, w < 4 ? 4 : 3));
    allowed.push_back(RandomText(random, kSyllables + U"  ", 5));
    const MatchOptions match = MatchOptions::FromBits(options);
    const auto forbidden = CompileWords(ListOf(words), match).compiled;
    const auto allowing = CompileAllowedWords(ListOf(allowed), match).compiled;
    const ScreeningWords screening{forbidden->index, allowing->index, match};
    for (int text_round = 0; text_round < 10; ++text_round) {
      const std::u32string text = RandomText(random, all, 24);
      const std::u16string units(text.begin(), text.end());
      const std::set<reference::Find> fast = Finds(screening, text);
      ASSERT_EQ(fast, reference::FindKorean(options, words, allowed, text))
          << "options " << std::hex << options << " text " << Utf8Of(text);
      std::u16string masked;
      MaskWords<Utf16>(screening, units, U'*', MatchMaskStyle::kWhole, masked);
      const std::u32string expected = reference::MaskKorean(options, words, allowed, text);
      ASSERT_EQ(masked, std::u16string(expected.begin(), expected.end()))
          << "options " << std::hex << options << " text " << Utf8Of(text);
    }
  }
}

// Texts read in short pieces, with four letters in a row within every stretch where a
// piece's end is looked for, as real text has, where a piece can end without a reading
// acting across it: the pieces together read as the whole text does.
TEST(KoreanDifferential, ReadsATextInPiecesAsItReadsItWhole) {
  std::mt19937 random(5);
  const std::u32string all = kSyllables + kOthers;
  for (int round = 0; round < 300; ++round) {
    const uint32_t options =
        std::uniform_int_distribution<uint32_t>(1, MatchOptions::kKnownBits)(random);
    const std::vector<std::u32string> words = {RandomText(random, kSyllables, 3),
                                               RandomText(random, all, 3), U"시발"};
    // An allowed word and Latin letters that reach past where a piece may end.
    const std::vector<std::u32string> allowed = {RandomText(random, kSyllables, 5), U"시발새끼"};
    const MatchOptions match = MatchOptions::FromBits(options);
    const auto forbidden = CompileWords(ListOf(words), match).compiled;
    const auto allowing = CompileAllowedWords(ListOf(allowed), match).compiled;
    const size_t piece = std::uniform_int_distribution<size_t>(4, 24)(random);
    const ScreeningWords screening{forbidden->index, allowing->index, match, nullptr, {piece, 80}};
    std::u32string text;
    const std::u32string ends[] = {U"가나다라", U"시발새끼", U"tlqkfA", U"tfol가나"};
    for (int part = 0; part < 12; ++part)
      text += RandomText(random, all, 16) + ends[part % 4];
    const std::set<reference::Find> fast = Finds(screening, text);
    ASSERT_EQ(fast, reference::FindKorean(options, words, allowed, text))
        << std::hex << options << " " << Utf8Of(text);
    std::string masked;
    MaskWords<Utf8>(screening, Utf8Of(text), U'*', MatchMaskStyle::kWhole, masked);
    ASSERT_EQ(masked, Utf8Of(reference::MaskKorean(options, words, allowed, text)))
        << std::hex << options << " piece " << std::dec << piece << " " << Utf8Of(text);
    EXPECT_EQ(HoldsWord<Utf8>(screening, Utf8Of(text)), !fast.empty());
  }
}

}  // namespace
}  // namespace chatsieve
