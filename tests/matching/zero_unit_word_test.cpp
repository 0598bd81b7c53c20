// Words from a wide word-list file may hold a zero unit within their length. Compared
// over their whole length they match only where the text ends right after the units
// before the zero; a masking pass, which stops at the zero, masks those units anywhere.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "api/bad_chat_man.h"
#include "dictionary/word_file_builder.h"
#include "dictionary/word_rules.h"
#include "matching/word_match.h"
#include "support/temporary_directory.h"

namespace chatsieve {
namespace {

std::unique_ptr<BadChatMan> LoadWide(const std::vector<std::u16string>& words) {
  testing::WordFileBuilder file;
  file.WideHead(static_cast<int32_t>(words.size()));
  for (const auto& word : words)
    file.WideRecord(word);
  const testing::TemporaryDirectory directory;
  const std::string path = directory.Write("listW.bcd", file.Data());
  auto filter = std::make_unique<BadChatMan>();
  EXPECT_EQ(filter->LoadWordFileW(std::u16string(path.begin(), path.end()).c_str(), 1), 1);
  return filter;
}

const std::u16string kZeroWord(u"ab\0c", 4);

TEST(ZeroUnitWordTest, MatchesOverItsLengthOnlyAtTheTextsEnd) {
  const auto filter = LoadWide({kZeroWord});
  struct Case {
    std::u16string text;
    int32_t found;
    std::u16string masked_as_written;
    std::u16string masked_in_place;
  };
  const std::vector<Case> cases = {
      {u"xab", 1, u"x**", u"x**"},
      {u"xABz", 0, u"x**z", u"xABz"},
      {u"a-b", 1, u"a-b", u"*-*"},  // stripped, it ends with "ab"
      // Once the last "ab" is masked and taken out, the first one ends the text.
      {u"abab", 1, u"****", u"****"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(std::string(c.text.begin(), c.text.end()));
    EXPECT_EQ(filter->FindBadWordW(c.text.c_str()) | filter->FindBadWordStrippedW(c.text.c_str()),
              c.found);
    std::u16string masked(c.text.size() + 1, u'#');
    filter->ReplaceBadWordsW(c.text.c_str(), masked.data(), static_cast<uint32_t>(masked.size()),
                             u'*', 1);
    EXPECT_EQ(std::u16string(masked.c_str()), c.masked_as_written);
    std::u16string in_place = c.text;
    EXPECT_EQ(filter->ReplaceStrippedW(in_place.data(), in_place.data()), c.found);
    EXPECT_EQ(in_place, c.masked_in_place);
  }
}

// The literal rule: the exact-case bucket in order, then the other case, each word
// compared in turn; the units it covers, or 0.
int32_t LiteralMatchAt(const BadChatMan& filter, const char16_t* at, WordEnd rule) {
  for (const char16_t key : {at[0], static_cast<char16_t>(at[0] ^ 0x20)}) {
    if (key != at[0] && !IsAsciiLetter(at[0])) break;
    const BadWordList* bucket = filter.FindBucket(key);
    if (bucket == nullptr) continue;
    for (const auto& word : bucket->Words()) {
      const std::u16string text = word->WideText();  // up to the first zero unit
      const auto units = static_cast<int32_t>(text.size());
      const bool matches = rule == WordEnd::kAtZeroUnit
                               ? std::char_traits<char16_t>::length(at) >= text.size() &&
                                     CompareNoCase(at, text.c_str(), units)
                               : CompareNoCase(at, word->WideText(), word->WideLength());
      if (matches) return units;
    }
  }
  return 0;
}

TEST(ZeroUnitWordTest, TrieAnswersAsTheLiteralBucketWalk) {
  const std::u16string alphabet(u"aAbB\0", 5);
  std::mt19937 random(26);
  auto pick = [&](size_t max_length, bool zeros) {
    std::u16string text(1 + random() % max_length, u'a');
    for (auto& unit : text)
      unit = alphabet[random() % (alphabet.size() - (zeros ? 0 : 1))];
    return text;
  };
  for (int round = 0; round < 300; ++round) {
    std::vector<std::u16string> words;
    for (int i = 0; i < 8; ++i)
      words.push_back(pick(4, true));
    const auto filter = LoadWide(words);
    for (int probe = 0; probe < 30; ++probe) {
      const std::u16string text = pick(6, false);
      for (size_t p = 0; p < text.size(); ++p) {
        for (const WordEnd rule : {WordEnd::kAtZeroUnit, WordEnd::kOverLength}) {
          ASSERT_EQ(MatchAt(filter->WordMap(), ArrayCursor(text.c_str() + p), rule),
                    LiteralMatchAt(*filter, text.c_str() + p, rule))
              << "round " << round << " position " << p;
        }
      }
    }
  }
}

}  // namespace
}  // namespace chatsieve
