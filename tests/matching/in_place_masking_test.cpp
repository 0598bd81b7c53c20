#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "api/bad_chat_man.h"
#include "matching/detection_test_support.h"
#include "matching/matching_test_support.h"

namespace chatsieve {
namespace {

using test_support::FilterOf;
using test_support::Fold;
using test_support::NarrowFormOf;

// In-place masking as the mended rule reads: the stripped text as a vector of units
// with the positions they came from, a word compared over its whole length as
// CompareNoCase does, '*' written at exactly the matched units' positions, those units
// erased, and the scan starting over from the stripped text's start.
test_support::ReferenceMasked ReferenceInPlace(const test_support::ReferenceBuckets& buckets,
                                               std::u16string text) {
  std::vector<std::pair<char16_t, size_t>> stripped;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    if (i == 0 || (unit == u' ' ? stripped.back().first != u' ' : test_support::IsKept(unit))) {
      stripped.emplace_back(unit, i);
    }
  }
  int32_t words = 0;
  for (size_t at = 0; at < stripped.size();) {
    const size_t matched =
        test_support::FirstMatch(buckets, stripped[at].first, [&](const std::u16string& word) {
          for (size_t i = 0; i < word.size(); ++i) {
            const char16_t unit = at + i < stripped.size() ? stripped[at + i].first : 0;
            if (Fold(unit) != Fold(word[i])) return size_t{0};
          }
          return word.size();
        });
    if (matched == 0) {
      ++at;
      continue;
    }
    const auto first = stripped.begin() + static_cast<std::ptrdiff_t>(at);
    const auto last = first + static_cast<std::ptrdiff_t>(matched);
    for (auto unit = first; unit != last; ++unit)
      text[unit->second] = u'*';
    stripped.erase(first, last);
    ++words;
    at = 0;
  }
  return {words, text};
}

// Both forms into a destination of exactly the room the source needs, which must
// receive the masked text and its terminator; 1 when both found a word.
int32_t ExpectInPlace(const BadChatMan& filter, const std::u16string& text,
                      const std::u16string& masked) {
  std::u16string wide(text.size() + 1, u'#');
  const int32_t result = filter.ReplaceStrippedW(text.c_str(), wide.data());
  EXPECT_EQ(wide.substr(0, masked.size() + 1), masked + u'\0');
  const std::string narrow_text = NarrowFormOf(text).value();
  std::string narrow(narrow_text.size() + 1, '#');
  EXPECT_EQ(filter.ReplaceStripped(narrow_text.c_str(), narrow.data()), result);
  EXPECT_STREQ(narrow.c_str(), NarrowFormOf(masked).value().c_str());
  return result;
}

TEST(InPlaceMaskingTest, MasksExactlyTheUnitsTheMatchCameFrom) {
  struct Example {
    std::vector<std::u16string> words;
    std::u16string text;
    std::u16string masked;
  };
  const Example examples[] = {
      {{u"abc"}, u"a-b-c", u"*-*-*"},
      {{u"ab"}, u"abab", u"****"},
      {{u"abc"}, u"Abc", u"***"},  // either case of the first letter
      {{u"abc"}, u"aBc", u"***"},
      {{u"aB"}, u"a-b-B", u"*-*-B"},
      {{u"aXa"}, u"aXa", u"***"},
      {{u"abc"}, u"aq-bc abc", u"aq-bc ***"},  // the match, not an earlier run
      {{u"a b"}, u"a   b", u"**  *"},
      {{u".a"}, u".a", u"**"},  // the strip keeps the first unit however it is
      {{u".a"}, u"x.a", u"x.a"},
      {{u"xyz", u"abcd"}, u"ab-xyz-cd", u"**-***-**"},
      {{u"바보"}, u"너 바.보야", u"너 *.*야"},  // one '*' byte a syllable
  };
  for (size_t i = 0; i < std::size(examples); ++i) {
    SCOPED_TRACE(testing::Message() << "example " << i);
    const Example& example = examples[i];
    EXPECT_EQ(ExpectInPlace(*FilterOf(example.words), example.text, example.masked),
              example.text != example.masked ? 1 : 0);
  }
}

TEST(InPlaceMaskingTest, LeavesTheDestinationUntouchedWithNothingToDo) {
  const auto listed = FilterOf({u"abc"});
  const auto emptied = FilterOf({u"abc"});
  emptied->RemoveWord(u"abc");
  const BadChatMan empty;
  const std::pair<const BadChatMan*, const char16_t*> cases[] = {
      {listed.get(), nullptr}, {listed.get(), u""}, {&empty, u"abc"}, {emptied.get(), u"abc"}};
  for (const auto& [filter, text] : cases) {
    char narrow[] = "KEEP";
    char16_t wide[] = u"KEEP";
    const std::string narrow_text = text != nullptr ? NarrowFormOf(text).value() : "";
    EXPECT_EQ(filter->ReplaceStripped(text != nullptr ? narrow_text.c_str() : nullptr, narrow), 0);
    EXPECT_EQ(filter->ReplaceStrippedW(text, wide), 0);
    EXPECT_STREQ(narrow, "KEEP");
    EXPECT_EQ(std::u16string(wide), u"KEEP");
  }
}

TEST(InPlaceMaskingTest, WritesIntoTheSourcesOwnBuffer) {
  const auto filter = FilterOf({u"바보", u"abc"});
  std::string narrow = NarrowFormOf(u"너 바보야 a.b.c").value();
  EXPECT_EQ(filter->ReplaceStripped(narrow.data(), narrow.data()), 1);
  EXPECT_EQ(narrow.c_str(), NarrowFormOf(u"너 **야 *.*.*").value());
  char16_t wide[] = u"너 바보야 a.b.c";
  EXPECT_EQ(filter->ReplaceStrippedW(wide, wide), 1);
  EXPECT_EQ(std::u16string(wide), u"너 **야 *.*.*");
}

TEST(InPlaceMaskingTest, AgreesWithTheLiteralRuleOnRandomLists) {
  std::mt19937 random(20240612);
  int found = 0;
  for (int round = 0; round < 3000; ++round) {
    SCOPED_TRACE(testing::Message() << "round " << round);
    BadChatMan filter;
    test_support::FillRandomly(filter, random, u"abcAB 가");
    const std::u16string text = test_support::RandomText(random, u"abcABC  .-가", 1, 40);
    const auto expected = ReferenceInPlace(test_support::CopyBuckets(filter), text);
    EXPECT_EQ(ExpectInPlace(filter, text, expected.text), expected.words > 0 ? 1 : 0);
    found += expected.words > 0 ? 1 : 0;
  }
  EXPECT_GT(found, 1500);
}

}  // namespace
}  // namespace chatsieve
