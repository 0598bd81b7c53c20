#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <string>
#include <vector>

#include "legacy/reference_comparison.h"
#include "legacy/word_index.h"

namespace chatsieve {
namespace {

std::vector<std::u16string> BucketOf(const WordIndex& filter, char16_t key) {
  std::vector<std::u16string> words;
  if (const BadWordList* bucket = filter.FindBucket(key)) {
    for (const auto& word : bucket->Words())
      words.emplace_back(word->WideText());
  }
  return words;
}

std::unique_ptr<BadWord> Entry(const char16_t* text) {
  auto word = std::make_unique<BadWord>();
  word->BuildFromWide(text);
  return word;
}

TEST(WordIndexTest, BucketsAreKeyedByTheExactFirstUnit) {
  WordIndex filter;
  EXPECT_EQ(filter.FindBucket(u'a'), nullptr);
  ASSERT_EQ(filter.AddWord(u"abc"), 1);
  EXPECT_NE(filter.FindBucket(u'a'), nullptr);
  EXPECT_EQ(filter.FindBucket(u'A'), nullptr);
}

TEST(WordIndexTest, InsertKeepsTheFirstOfWordsEqualButForCase) {
  WordIndex filter;
  auto abc = Entry(u"abc");
  ASSERT_EQ(filter.InsertWord(abc), 1);
  EXPECT_EQ(abc, nullptr);  // the index took it

  auto duplicate = Entry(u"aBC");
  EXPECT_EQ(filter.InsertWord(duplicate), 1);
  EXPECT_EQ(duplicate, nullptr);
  EXPECT_EQ(BucketOf(filter, u'a'), std::vector<std::u16string>{u"abc"});

  auto other_key = Entry(u"Abc");
  EXPECT_EQ(filter.InsertWord(other_key), 1);
  EXPECT_EQ(BucketOf(filter, u'A'), std::vector<std::u16string>{u"Abc"});

  auto longer = Entry(u"abcd");
  EXPECT_EQ(filter.InsertWord(longer), 1);
  EXPECT_EQ(BucketOf(filter, u'a'), (std::vector<std::u16string>{u"abc", u"abcd"}));
  filter.SortBuckets();
  EXPECT_EQ(BucketOf(filter, u'a'), (std::vector<std::u16string>{u"abcd", u"abc"}));
}

TEST(WordIndexTest, InsertRefusesAnEntryWithoutWideText) {
  WordIndex filter;
  auto empty = std::make_unique<BadWord>();
  empty->BuildFromNarrow("", true);
  EXPECT_EQ(filter.InsertWord(empty), 0);
  EXPECT_NE(empty, nullptr);  // still the caller's
  EXPECT_TRUE(filter.WordMap().Empty());
}

TEST(WordIndexTest, SortPutsMoreBytesFirstThenMoreUnits) {
  WordIndex filter;
  for (const char* narrow : {"abcd", "a\xB0\xA1\xB3\xAA"}) {
    auto entry = std::make_unique<BadWord>();
    entry->BuildFromNarrow(narrow, true);
    ASSERT_EQ(filter.InsertWord(entry), 1);
  }
  for (const char16_t* wide : {u"xy", u"xyzuv", u"xyz"})
    filter.AddWord(wide);
  filter.SortBuckets();
  EXPECT_EQ(BucketOf(filter, u'a'), (std::vector<std::u16string>{u"a\uAC00\uB098", u"abcd"}));
  EXPECT_EQ(BucketOf(filter, u'x'), (std::vector<std::u16string>{u"xyzuv", u"xyz", u"xy"}));
}

TEST(WordIndexTest, AddRemoveAndFindAdjustTheCountAndKeepBuckets) {
  WordIndex filter;
  EXPECT_EQ(filter.AddWord(u""), 0);
  EXPECT_EQ(filter.AddWord(nullptr), 0);
  EXPECT_EQ(filter.WordCount(), 0);

  for (const char16_t* word : {u"abc", u"abcd", u"ab"})
    ASSERT_EQ(filter.AddWord(word), 1);
  EXPECT_EQ(filter.AddWord(u"ABC"), 1);  // a duplicate still counts
  EXPECT_EQ(filter.WordCount(), 4);
  filter.SortBuckets();
  ASSERT_EQ(filter.AddWord(u"abcdefg"), 1);  // appended last, though longest
  EXPECT_EQ(BucketOf(filter, u'a').back(), u"abcdefg");
  EXPECT_FALSE(filter.FindBucket(u'a')->LongestFirst());

  EXPECT_EQ(std::u16string(filter.FindWord(u"abcdef")->WideText()), u"abcd");
  EXPECT_EQ(filter.FindWord(u"a"), nullptr);
  EXPECT_EQ(filter.FindWord(u"zzz"), nullptr);

  // The text need only begin with the word removed.
  EXPECT_EQ(filter.RemoveWord(u"abcdx"), 1);
  EXPECT_EQ(BucketOf(filter, u'a'), (std::vector<std::u16string>{u"abc", u"ab", u"abcdefg"}));
  EXPECT_EQ(filter.WordCount(), 4);
  for (int i = 0; i < 3; ++i)
    EXPECT_EQ(filter.RemoveWord(u"abcdefg"), 1);
  EXPECT_EQ(filter.RemoveWord(u"abcdefg"), 0);
  ASSERT_NE(filter.FindBucket(u'a'), nullptr);  // empty, but still there
  EXPECT_TRUE(filter.FindBucket(u'a')->Empty());
  EXPECT_EQ(filter.WordCount(), 1);

  filter.ClearWords();
  EXPECT_TRUE(filter.WordMap().Empty());
  EXPECT_EQ(filter.WordCount(), 1);
}

TEST(WordIndexTest, BucketsAreVisitedInAscendingKeyOrder) {
  WordIndex filter;
  for (const char16_t* word : {u"\uD7A3x", u"b", u"\u0100", u"A", u"\uAC00"})
    filter.AddWord(word);
  std::u16string keys;
  filter.WordMap().ForEachBucket([&](char16_t key, const BadWordList&) { keys.push_back(key); });
  EXPECT_EQ(keys, u"Ab\u0100\uAC00\uD7A3");
}

TEST(WordIndexTest, MatchesAsTheReferenceEngineThroughChanges) {
  const std::u16string alphabet = u"aAbB\uAC00\uB098 ";
  std::mt19937 random(7);
  auto pick_text = [&](size_t max_length) {
    std::u16string text(1 + random() % max_length, u' ');
    for (auto& unit : text)
      unit = alphabet[random() % alphabet.size()];
    return text;
  };
  for (int round = 0; round < 200; ++round) {
    WordIndex filter;
    for (int step = 0; step < 30; ++step) {
      const std::u16string word = pick_text(4);
      switch (random() % 6) {
        case 0:
          filter.RemoveWord(word.c_str());
          break;
        case 1:
          filter.SortBuckets();
          break;
        default:
          filter.AddWord(word.c_str());
      }
    }
    if (round % 2 == 0) filter.SortBuckets();
    const reference::ReferenceEngine engine(filter);
    for (int probe = 0; probe < 50 && !HasFailure(); ++probe) {
      SCOPED_TRACE(::testing::Message() << "round " << round);
      test_support::ExpectAsReference(filter, engine, pick_text(8));
    }
  }
}

}  // namespace
}  // namespace chatsieve
