#include <gtest/gtest.h>

#include <cstdint>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "dictionary/bad_chat_man.h"
#include "matching_test_support.h"

namespace chatsieve {
namespace {

using test_support::CopyBuckets;
using test_support::Fold;
using test_support::IsKept;
using test_support::Narrow;
using test_support::ReferenceBuckets;

// In-place masking as the mended rule reads: the stripped text as a plain vector of
// units with the positions they came from, each match compared over the word's whole
// length as CompareNoCase does, '*' written at exactly the matched units' positions,
// the matched units erased, and the scan starting over from the stripped text's start.
test_support::ReferenceMasked ReferenceInPlace(const ReferenceBuckets& buckets,
                                               std::u16string text) {
  std::vector<std::pair<char16_t, size_t>> stripped;
  for (size_t i = 0; i < text.size(); ++i) {
    const char16_t unit = text[i];
    const bool keep = i == 0 || (unit == u' ' ? stripped.back().first != u' ' : IsKept(unit));
    if (keep) stripped.emplace_back(unit, i);
  }
  int32_t words = 0;
  size_t at = 0;
  while (at < stripped.size()) {
    const size_t matched =
        test_support::FirstMatch(buckets, stripped[at].first, [&](const std::u16string& word) {
          for (size_t i = 0; i < word.size(); ++i) {
            const char16_t unit = at + i < stripped.size() ? stripped[at + i].first : 0;
            if (Fold(unit) != Fold(word[i])) return size_t{0};
            if (unit == 0) return i;
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

struct InPlace {
  int32_t result;
  std::u16string text;
};

InPlace MaskWide(const BadChatMan& filter, const std::u16string& text) {
  std::u16string destination(text.size() + 1, u'#');
  const int32_t result = filter.ReplaceStrippedW(text.c_str(), destination.data());
  return {result, destination};
}

struct InPlaceNarrow {
  int32_t result;
  std::string text;
};

InPlaceNarrow MaskNarrow(const BadChatMan& filter, const std::string& text) {
  std::string destination(text.size() + 1, '#');
  const int32_t result = filter.ReplaceStripped(text.c_str(), destination.data());
  return {result, destination};
}

BadChatMan& Filled(BadChatMan& filter, const std::vector<std::u16string>& words) {
  for (const auto& word : words)
    filter.AddWord(word.c_str());
  filter.SortBuckets();
  return filter;
}

struct Example {
  const char* name;
  std::vector<std::u16string> words;
  std::u16string text;
  std::u16string masked;
};

TEST(InPlaceMaskingTest, MasksTheUnitsTheMatchCameFrom) {
  const Example examples[] = {
      {"across punctuation", {u"abc"}, u"a-b-c", u"*-*-*"},
      {"twice, scanning again", {u"ab"}, u"abab", u"****"},
      {"upper first letter", {u"abc"}, u"Abc", u"***"},
      {"case of later letters", {u"abc"}, u"aBc", u"***"},
      {"only the matched letters", {u"aB"}, u"a-b-B", u"*-*-B"},
      {"last letter repeats the first", {u"aXa"}, u"aXa", u"***"},
      {"two in a row", {u"abc"}, u"zzabcabc", u"zz******"},
      {"the match, not an earlier run", {u"abc"}, u"aq-bc abc", u"aq-bc ***"},
      {"one space of a run", {u"a b"}, u"a   b", u"**  *"},
      {"tab left out", {u"ab"}, u"a\tb", u"*\t*"},
      {"first unit kept however it is", {u".a"}, u".a", u"**"},
      {"punctuation after the first unit", {u".a"}, u"x.a", u"x.a"},
      {"across a masked stretch", {u"xyz", u"abcd"}, u"ab-xyz-cd", u"**-***-**"},
      {"Hangul", {u"바보"}, u"너 바.보야", u"너 *.*야"},
      {"no word", {u"abc"}, u"ab c", u"ab c"},
  };
  for (const Example& example : examples) {
    SCOPED_TRACE(example.name);
    BadChatMan filter;
    Filled(filter, example.words);
    const int32_t expected = example.text != example.masked ? 1 : 0;
    const InPlace wide = MaskWide(filter, example.text);
    EXPECT_EQ(wide.result, expected);
    EXPECT_EQ(wide.text, example.masked + u'\0');
    // Each masked Hangul syllable shrinks from two bytes to one '*'.
    const std::string narrow_text = Narrow(example.text);
    const InPlaceNarrow narrow = MaskNarrow(filter, narrow_text);
    EXPECT_EQ(narrow.result, expected);
    const std::string narrow_masked = Narrow(example.masked) + '\0';
    EXPECT_EQ(narrow.text.substr(0, narrow_masked.size()), narrow_masked);
  }
}

TEST(InPlaceMaskingTest, LeavesTheDestinationUntouchedWhenThereIsNothingToDo) {
  BadChatMan empty;
  BadChatMan emptied;
  Filled(emptied, {u"abc"});
  emptied.RemoveWord(u"abc");
  BadChatMan listed;
  Filled(listed, {u"abc"});
  struct Untouched {
    const char* name;
    const BadChatMan& filter;
    const char* narrow;
    const char16_t* wide;
  };
  const Untouched cases[] = {
      {"null source", listed, nullptr, nullptr},
      {"empty source", listed, "", u""},
      {"no words loaded", empty, "abc", u"abc"},
      {"every word removed", emptied, "abc", u"abc"},
  };
  for (const Untouched& test : cases) {
    SCOPED_TRACE(test.name);
    char narrow[] = "KEEP";
    char16_t wide[] = u"KEEP";
    EXPECT_EQ(test.filter.ReplaceStripped(test.narrow, narrow), 0);
    EXPECT_EQ(test.filter.ReplaceStrippedW(test.wide, wide), 0);
    EXPECT_STREQ(narrow, "KEEP");
    EXPECT_EQ(std::u16string(wide), u"KEEP");
  }
}

TEST(InPlaceMaskingTest, WritesIntoTheSourcesOwnBuffer) {
  BadChatMan filter;
  Filled(filter, {u"바보", u"abc"});
  std::string narrow = Narrow(u"너 바보야 \x80 a.b.c");
  EXPECT_EQ(filter.ReplaceStripped(narrow.data(), narrow.data()), 1);
  EXPECT_EQ(narrow.c_str(), Narrow(u"너 **야 ? *.*.*"));
  char16_t wide[] = u"너 바보야 a.b.c";
  EXPECT_EQ(filter.ReplaceStrippedW(wide, wide), 1);
  EXPECT_EQ(std::u16string(wide), u"너 **야 *.*.*");
}

TEST(InPlaceMaskingTest, AgreesWithTheLiteralRuleOnRandomLists) {
  std::mt19937 random(20240612);
  const std::u16string word_alphabet = u"abcAB 가";
  const std::u16string text_alphabet = u"abcABC  .-가";
  int found = 0;
  for (int round = 0; round < 3000; ++round) {
    SCOPED_TRACE(::testing::Message() << "round " << round);
    BadChatMan filter;
    test_support::FillRandomly(filter, random, word_alphabet);
    const std::u16string text = test_support::RandomText(random, text_alphabet, 1, 40);
    const auto expected = ReferenceInPlace(CopyBuckets(filter), text);
    const InPlace wide = MaskWide(filter, text);
    EXPECT_EQ(wide.result, expected.words > 0 ? 1 : 0);
    EXPECT_EQ(wide.text, expected.text + u'\0');
    const InPlaceNarrow narrow = MaskNarrow(filter, Narrow(text));
    EXPECT_EQ(narrow.result, wide.result);
    EXPECT_EQ(narrow.text.c_str(), Narrow(expected.text));
    found += wide.result;
  }
  EXPECT_GT(found, 1500);
}

}  // namespace
}  // namespace chatsieve
