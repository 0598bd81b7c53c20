// Words from a wide word-list file may hold a zero unit within their length. Compared
// over their whole length they match only where the text ends right after the units
// before the zero; a masking pass, which stops at the zero, masks those units anywhere.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "legacy/bad_chat_man.h"
#include "legacy/reference_comparison.h"
#include "support/temporary_directory.h"
#include "support/word_file_builder.h"

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

TEST(ZeroUnitWordTest, AgreesWithTheReferenceEngine) {
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
    const reference::ReferenceEngine engine(filter->Words());
    for (int probe = 0; probe < 30 && !HasFailure(); ++probe) {
      SCOPED_TRACE(::testing::Message() << "round " << round);
      test_support::ExpectAsReference(*filter, engine, pick(6, false));
    }
  }
}

}  // namespace
}  // namespace chatsieve
