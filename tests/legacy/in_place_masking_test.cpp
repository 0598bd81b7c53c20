#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <string>
#include <utility>
#include <vector>

#include "legacy/bad_chat_man.h"
#include "legacy/detection_test_support.h"

namespace chatsieve {
namespace {

using test_support::FilterOf;
using test_support::NarrowFormOf;

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
    SCOPED_TRACE(::testing::Message() << "example " << i);
    const Example& example = examples[i];
    EXPECT_EQ(ExpectInPlace(*FilterOf(example.words), example.text, example.masked),
              example.text != example.masked ? 1 : 0);
  }
}

TEST(InPlaceMaskingTest, LeavesTheDestinationUntouchedWithNothingToDo) {
  const auto listed = FilterOf({u"abc"});
  const auto emptied = test_support::UncountedFilterOf("abc");
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

}  // namespace
}  // namespace chatsieve
