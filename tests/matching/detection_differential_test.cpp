// Detection against a literal, slow rendering of its rule, over random word lists and
// texts drawn from a small alphabet so that words are often found, and often only
// once the strip has joined their letters.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "api/bad_chat_man.h"
#include "dictionary/word_rules.h"
#include "matching/detect_by_level.h"
#include "matching/detection_test_support.h"
#include "matching/text_preparation.h"

namespace chatsieve {
namespace {

// Buckets keyed by the exact first unit; the text folded to upper case and, at level
// 2, stripped; at each position the bucket of the unit and, for an ASCII letter, the
// bucket of the other case, each word compared in turn.
class ReferenceDetector {
 public:
  void Add(const std::u16string& word) {
    buckets_[word[0]].push_back(word);
    ++word_count_;
  }

  bool Find(const std::u16string& text, bool stripped) const {
    if (text.empty() || word_count_ <= 0) return false;
    std::u16string prepared = text;
    for (char16_t& unit : prepared) {
      if (unit >= u'a' && unit <= u'z') unit = static_cast<char16_t>(unit - 0x20);
    }
    if (stripped) prepared = Strip(prepared);
    for (size_t p = 0; p < prepared.size(); ++p) {
      std::vector<char16_t> keys = {prepared[p]};
      if (IsAsciiLetter(prepared[p])) keys.push_back(static_cast<char16_t>(prepared[p] ^ 0x20));
      for (const char16_t key : keys) {
        const auto bucket = buckets_.find(key);
        if (bucket == buckets_.end()) continue;
        for (const auto& word : bucket->second) {
          if (CompareNoCase(prepared.c_str() + p, word.c_str(), static_cast<int32_t>(word.size())))
            return true;
        }
      }
    }
    return false;
  }

 private:
  static std::u16string Strip(const std::u16string& text) {
    std::u16string out;
    for (size_t i = 0; i < text.size(); ++i) {
      const char16_t unit = text[i];
      if (i == 0) {
        out += unit;
      } else if (unit == u' ' && out.back() == u' ') {
        continue;
      } else if (IsKeptChar(unit)) {
        out += unit;
      }
    }
    return out;
  }

  std::map<char16_t, std::vector<std::u16string>> buckets_;
  int32_t word_count_ = 0;
};

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

TEST(DetectionDifferential, AgreesWithTheLiteralRule) {
  constexpr uint32_t kSeed = 4049;
  constexpr int kCases = 4000;
  RandomCases random(kSeed);
  Tally tally;
  for (int i = 0; i < kCases; ++i) {
    SCOPED_TRACE(testing::Message() << "seed " << kSeed << ", case " << i);
    ReferenceDetector reference;
    BadChatMan filter;
    const size_t sorted_count = random.Pick(0, 8);
    const size_t later_count = random.Pick(0, 1) == 0 ? 0 : random.Pick(1, 3);
    for (size_t w = 0; w < sorted_count + later_count; ++w) {
      if (w == sorted_count) filter.SortBuckets();
      const std::u16string word =
          random.Text(random.Pick(0, 9) == 0 ? 1 : 2, 4, random.Pick(0, 2) != 0);
      reference.Add(word);
      filter.AddWord(word.c_str());
    }
    if (later_count == 0) filter.SortBuckets();
    const bool long_text = random.Pick(0, 19) == 0;
    const std::u16string text = long_text ? random.Text(250, 600) : random.Text(0, 32);

    const bool as_written = reference.Find(text, false);
    const bool stripped = reference.Find(text, true);
    const int32_t at_level_2 = stripped || as_written;
    ASSERT_EQ(filter.FindBadWordW(text.c_str()), as_written);
    ASSERT_EQ(filter.FindBadWordStrippedW(text.c_str()), stripped);
    ASSERT_EQ(DetectAtLevel(filter, 2, text.c_str()), at_level_2);
    const auto narrow = test_support::NarrowFormOf(text);
    ASSERT_TRUE(narrow.has_value());
    ASSERT_EQ(filter.FindBadWord(narrow->c_str()), as_written);
    ASSERT_EQ(filter.FindBadWordStripped(narrow->c_str()), stripped);
    ASSERT_EQ(DetectAtLevel(filter, 2, narrow->c_str()), at_level_2);

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

// The buckets the scans walk hold what a literal duplicate check keeps: the first of
// the words that share their first unit exactly, their length and, without regard to
// ASCII case, their other units, in the order added.
TEST(DetectionDifferential, IndexKeepsTheFirstOfEqualWords) {
  constexpr uint32_t kSeed = 7717;
  RandomCases random(kSeed);
  for (int i = 0; i < 500; ++i) {
    SCOPED_TRACE(testing::Message() << "seed " << kSeed << ", case " << i);
    std::map<char16_t, std::vector<std::u16string>> expected;
    BadChatMan filter;
    for (size_t w = random.Pick(1, 30); w > 0; --w) {
      const std::u16string word = random.Text(1, 3, true);
      ASSERT_EQ(filter.AddWord(word.c_str()), 1);
      auto& bucket = expected[word[0]];
      const bool equal_stored = std::any_of(bucket.begin(), bucket.end(), [&](const auto& other) {
        return other.size() == word.size() &&
               CompareNoCase(other.c_str(), word.c_str(), static_cast<int32_t>(word.size()));
      });
      if (!equal_stored) bucket.push_back(word);
    }
    std::map<char16_t, std::vector<std::u16string>> held;
    filter.WordMap().ForEachBucket([&](char16_t key, const BadWordList& bucket) {
      for (const auto& word : bucket.Words())
        held[key].emplace_back(word->WideText(), static_cast<size_t>(word->WideLength()));
    });
    ASSERT_EQ(held, expected);
  }
}

}  // namespace
}  // namespace chatsieve
