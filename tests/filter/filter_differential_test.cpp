// The filter against the reference on random lists and texts, offsets exact, and as
// written / with separators against the legacy detection at levels 1 and 2.
#include <gtest/gtest.h>

#include <chatsieve/filter.hpp>

#include "filter/random_text.h"
#include "legacy/detecting.h"
#include "reference/reference_filter.h"
#include "text/utf8.h"
#include "wordfile/legacy_word_list.h"

namespace chatsieve {
namespace {

using testing::ListOf;
using testing::RandomText;

std::vector<reference::Found> Plain(const std::vector<Match>& matches) {
  std::vector<reference::Found> plain;
  for (const Match& m : matches)
    plain.push_back({m.begin, m.end, m.word});
  return plain;
}

class FilterDifferentialTest : public ::testing::TestWithParam<bool> {};

// A list's lines with random fields, which `words` learns too.
std::string ListWithFields(RandomText& random, const std::vector<std::string>& list,
                           std::vector<reference::Place>& places, reference::Words& words) {
  static const char* const kPlaces[] = {"anywhere", "start", "whole", "end"};
  static const char* const kCategories[] = {"", "swearing", "insult"};
  std::string text;
  for (const std::string& word : list) {
    const int place = random.Between(0, 3), severity = random.Between(1, 3);
    const char* category = kCategories[random.Between(0, 2)];
    places.push_back(static_cast<reference::Place>(place));
    words.severities.push_back(severity);
    words.categories.emplace_back(category);
    text += word + "\t" + category + "\t" + std::to_string(severity) + "\t" + kPlaces[place] + "\n";
  }
  return text;
}

TEST_P(FilterDifferentialTest, AgreesWithTheReference) {
  const bool separators = GetParam();
  RandomText random(separators ? 11 : 7);
  for (int list = 0; list < 60; ++list) {
    reference::Words words;
    words.forbidden = random.Words(random.Between(1, 6));
    words.allowed = random.Words(random.Between(0, 2));
    words.separators = separators;
    // Spaces near a word's start change how the text is scanned.
    if (list % 4 == 0) words.forbidden.push_back(random.Word() + " " + random.Word());
    Filter filter(separators ? Options(Option::kSeparators) : Options());
    // Half the lists say where their words stand, how severe they are and what they are,
    // under a policy that counts only some.
    if (list % 2 == 0) {
      filter.LoadText(ListOf(words.forbidden));
      filter.LoadText(ListOf(words.allowed), WordRole::kAllowed);
    } else {
      filter.LoadText(ListWithFields(random, words.forbidden, words.forbidden_places, words));
      reference::Words ignored;
      filter.LoadText(ListWithFields(random, words.allowed, words.allowed_places, ignored),
                      WordRole::kAllowed);
      words.min_severity = random.Between(1, 3);
      filter.SetMinSeverity(words.min_severity);
      if (list % 3 == 0) {
        words.chosen_categories = {"insult"};
        filter.SetCategories("insult");
      }
    }
    for (int round = 0; round < 60; ++round) {
      const std::string text8 = round % 10 == 0 ? random.LongText8() : random.Text8();
      const std::u16string text16 = random.Text16();
      const auto expected8 = reference::Find(words, text8);
      const auto expected16 = reference::Find(words, text16);
      ASSERT_EQ(Plain(filter.Find(text8)), expected8) << text8;
      ASSERT_EQ(Plain(filter.Find(text16)), expected16) << platform::Utf16ToUtf8(text16);
      ASSERT_EQ(filter.Check(text8), !expected8.empty()) << text8;
      ASSERT_EQ(filter.Check(text16), !expected16.empty());
      const bool keep_first = round % 2 == 1;
      const MaskStyle style = keep_first ? MaskStyle::kKeepFirst : MaskStyle::kWhole;
      ASSERT_EQ(filter.Mask(text8, U'♥', style), reference::Mask(words, text8, U'♥', keep_first))
          << text8;
      ASSERT_EQ(filter.Mask(text16, U'\U0001F600', style),
                reference::Mask(words, text16, U'\U0001F600', keep_first));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(AsWrittenAndSeparators, FilterDifferentialTest, ::testing::Bool());

// Every substring of short random texts: the filter finds a word wherever the legacy
// detection does, as written at level 1 and with separators at level 2.
TEST(FilterLegacyParityTest, FindsWordsWhereTheLegacyLevelsDo) {
  RandomText random(3);
  for (int list = 0; list < 40; ++list) {
    const std::vector<std::string> words = random.Words(random.Between(1, 5));
    LegacyWordList legacy_words;
    for (const std::string& word : words)
      legacy_words.AddWord(platform::Utf8ToUtf16(word)->c_str());
    const LegacyKeys legacy(legacy_words);
    Filter as_written;
    Filter separators(Option::kSeparators);
    as_written.LoadText(ListOf(words));
    separators.LoadText(ListOf(words));
    for (int round = 0; round < 30; ++round) {
      std::u16string text = random.Text16();
      // The legacy text ends at its first zero unit; the random texts hold none.
      for (size_t begin = 0; begin < text.size(); ++begin) {
        for (size_t end = begin + 1; end <= text.size(); ++end) {
          const std::u16string piece = text.substr(begin, end - begin);
          ASSERT_EQ(as_written.Check(piece), DetectAtLevel(legacy, 1, piece.c_str()) == 1)
              << platform::Utf16ToUtf8(piece);
          ASSERT_EQ(separators.Check(piece), DetectAtLevel(legacy, 2, piece.c_str()) == 1)
              << platform::Utf16ToUtf8(piece);
        }
      }
    }
  }
}

}  // namespace
}  // namespace chatsieve
