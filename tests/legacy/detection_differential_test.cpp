// Detection and masking against the reference engine, over random word lists and
// texts drawn from a small alphabet so that words are often found, and often only
// once the strip has joined their letters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "legacy/bad_chat_man.h"
#include "legacy/reference_comparison.h"
#include "wordfile/word_rules.h"

namespace chatsieve {
namespace {

class RandomCases {
 public:
  explicit RandomCases(uint32_t seed) : random_(seed) {}

  // Units of `alphabet`, or of the kept characters alone.
  std::u16string Text(size_t min_length, size_t max_length, bool kept_only = false) {
    static const std::u16string alphabet = u"\uAC00\uB098\uB2E4abAB1 .-\t";
    const size_t last = kept_only ? alphabet.find(u' ') : alphabet.size() - 1;
    std::u16string text(Pick(min_length, max_length), u'\0');
    for (char16_t& unit : text)
      unit = alphabet[Pick(0, last)];
    return text;
  }

  size_t Pick(size_t low, size_t high) {
    return std::uniform_int_distribution<size_t>(low, high)(random_);
  }

 private:
  std::mt19937 random_;
};

struct Tally {
  int as_written = 0;
  int only_stripped = 0;
  int none = 0;
  int unsorted = 0;
};

TEST(DetectionDifferential, AgreesWithTheReferenceEngine) {
  constexpr uint32_t kSeed = 4049;
  constexpr int kCases = 4000;
  RandomCases random(kSeed);
  Tally tally;
  for (int i = 0; i < kCases; ++i) {
    SCOPED_TRACE(::testing::Message() << "seed " << kSeed << ", case " << i);
    LegacyWordList list;
    const size_t sorted_count = random.Pick(0, 8);
    const size_t later_count = random.Pick(0, 1) == 0 ? 0 : random.Pick(1, 3);
    for (size_t w = 0; w < sorted_count + later_count; ++w) {
      if (w == sorted_count) list.SortBuckets();
      const std::u16string word =
          random.Text(random.Pick(0, 9) == 0 ? 1 : 2, 4, random.Pick(0, 2) != 0);
      list.AddWord(word.c_str());
    }
    if (later_count == 0) list.SortBuckets();
    const BadChatMan filter(std::move(list));
    const bool long_text = random.Pick(0, 19) == 0;
    const std::u16string text = long_text ? random.Text(250, 600) : random.Text(0, 32);

    const reference::ReferenceEngine reference(filter.Words());
    const bool at_level_2 = test_support::ExpectAsReference(filter, reference, text);
    const bool as_written = reference.Holds(text, false);
    const bool stripped = reference.Holds(text, true);
    if (HasFailure()) return;
    tally.as_written += as_written;
    tally.only_stripped += stripped && !as_written;
    tally.none += !at_level_2;
    tally.unsorted += later_count > 0 && at_level_2;
  }
  // The draw must reach every outcome often, or agreement would prove little.
  RecordProperty("found_as_written", tally.as_written);
  RecordProperty("found_only_stripped", tally.only_stripped);
  EXPECT_GT(tally.as_written, kCases / 10);
  EXPECT_GT(tally.only_stripped, kCases / 40);
  EXPECT_GT(tally.none, kCases / 10);
  EXPECT_GT(tally.unsorted, kCases / 10);
}

// The buckets hold what a literal duplicate check keeps: the first of
// the words that share their first unit exactly, their length and, without regard to
// ASCII case, their other units, in the order added.
TEST(DetectionDifferential, IndexKeepsTheFirstOfEqualWords) {
  constexpr uint32_t kSeed = 7717;
  RandomCases random(kSeed);
  for (int i = 0; i < 500; ++i) {
    SCOPED_TRACE(::testing::Message() << "seed " << kSeed << ", case " << i);
    std::map<char16_t, std::vector<std::u16string>> expected;
    LegacyWordList list;
    for (size_t w = random.Pick(1, 30); w > 0; --w) {
      const std::u16string word = random.Text(1, 3, true);
      ASSERT_EQ(list.AddWord(word.c_str()), 1);
      auto& bucket = expected[word[0]];
      const bool equal_stored = std::any_of(bucket.begin(), bucket.end(), [&](const auto& other) {
        return other.size() == word.size() &&
               CompareNoCase(other.c_str(), word.c_str(), static_cast<int32_t>(word.size()));
      });
      if (!equal_stored) bucket.push_back(word);
    }
    std::map<char16_t, std::vector<std::u16string>> held;
    list.ForEachBucket([&](char16_t key, LegacyWordList::Words bucket) {
      for (const auto& word : bucket)
        held[key].emplace_back(word->WideText(), static_cast<size_t>(word->WideLength()));
    });
    ASSERT_EQ(held, expected);
  }
}

}  // namespace
}  // namespace chatsieve
