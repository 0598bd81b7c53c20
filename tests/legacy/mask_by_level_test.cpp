#include "legacy/level_masking.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "legacy/bad_chat_man.h"
#include "legacy/detection_test_support.h"

namespace chatsieve {
namespace {

using test_support::NarrowFormOf;

TEST(MaskAtLevelTest, ComposesThePassesByLevel) {
  struct Case {
    std::vector<std::u16string> words;
    int32_t level;
    std::u16string text;
    int32_t capacity;  // a negative one is tried in the narrow form only
    char16_t mask;
    int32_t result;
    // What the destination holds; nothing when it must stay untouched.
    std::optional<std::u16string> masked;
    bool null_destination = false;
  };
  const Case cases[] = {
      {{u"abc"}, 1, u"xabcx", 6, u'*', 1, u"x***x"},
      {{u"abc"}, 1, u"a.b-c", 6, u'*', 0, u"a.b-c"},
      {{u"abc"}, 2, u"a.b-c", 6, u'*', 1, u"*.*-*"},  // the second pass alone
      {{u"a-b"}, 2, u"a-b", 4, u'*', 1, u"***"},      // the first pass alone
      // The second pass leaves the first pass's '*' out and matches across it, but not
      // across a mask that is a letter.
      {{u"bc", u"ad"}, 2, u"a-bc-d", 7, u'*', 1, u"*-**-*"},
      {{u"bc", u"ad"}, 2, u"a-bc-d", 7, u'x', 1, u"a-xx-d"},
      {{u"abc"}, 2, u"xabcx", 5, u'*', 0, u""},  // too small for the text
      {{u"abc"}, 2, u"abc", 0, u'*', 0, std::nullopt},
      {{u"abc"}, 2, u"abc", -1, u'*', 0, std::nullopt},
      {{u"abc"}, 2, u"abc", 4, u'*', 1, std::nullopt, true},
      {{u"abc"}, 2, u"a.b.c", 6, u'*', 0, std::nullopt, true},
      {{u"abc"}, 3, u"abc", 4, u'*', 0, std::nullopt},
      {{u"abc"}, 0, u"abc", 4, u'*', 0, std::nullopt},
  };
  for (size_t i = 0; i < std::size(cases); ++i) {
    SCOPED_TRACE(::testing::Message() << "case " << i);
    const Case& test = cases[i];
    const auto filter = test_support::FilterOf(test.words);
    const std::u16string untouched(16, u'#');
    if (test.capacity >= 0) {
      std::u16string wide = untouched;
      EXPECT_EQ(MaskAtLevel(filter->Keys(), test.level, test.text.c_str(),
                            test.null_destination ? nullptr : wide.data(),
                            static_cast<uint32_t>(test.capacity), test.mask),
                test.result);
      // A text written in full is followed by zeros up to the capacity; an emptied
      // destination has only its first unit zeroed.
      std::u16string expected = untouched;
      if (test.masked && !test.masked->empty()) {
        expected.replace(0, static_cast<size_t>(test.capacity), static_cast<size_t>(test.capacity),
                         u'\0');
      }
      if (test.masked) expected.replace(0, test.masked->size() + 1, *test.masked + u'\0');
      EXPECT_EQ(wide, expected);
    }
    std::string narrow(16, '#');
    EXPECT_EQ(MaskAtLevel(filter->Keys(), test.level, NarrowFormOf(test.text).value().c_str(),
                          test.null_destination ? nullptr : narrow.data(), test.capacity,
                          static_cast<char>(test.mask)),
              test.result);
    std::string expected(16, '#');
    if (test.masked)
      expected.replace(0, test.masked->size() + 1, NarrowFormOf(*test.masked).value() + '\0');
    EXPECT_EQ(narrow, expected);
  }
}

// Level 2 on narrow text skips the intermediate bytes when they would decode to the same
// units; it must leave exactly what the two passes through those bytes leave, also for
// bytes that are not code page 949, masks without a code page 949 form, a zero mask and
// capacities at the edge.
TEST(MaskAtLevelTest, NarrowLevelTwoAgreesWithThePassesThroughAnIntermediateBuffer) {
  const auto filter = test_support::FilterOf({u"ab", u"b-c", u"\uAC00\uB098", u"\uB098a"});
  const std::vector<std::string> pieces = {"a",
                                           "b",
                                           "c",
                                           "-",
                                           " ",
                                           ".",
                                           "\xB0\xA1",
                                           "\xB3\xAA",  // 가, 나
                                           "\x80",
                                           "\xFF",
                                           "\xC9\xA1",
                                           "\xB0",
                                           "\xB0"
                                           "a"};  // not code page 949
  // 0xE6 widens to U+FFE6, which takes two bytes: masking lengthens the text.
  const std::vector<char> masks = {'*', '#', 'b', '\0', '\x80', '\xA1', '\xE6', '\xFF'};
  std::mt19937 random(949);
  for (int round = 0; round < 4000; ++round) {
    std::string text;
    for (int i = 1 + static_cast<int>(random() % 8); i > 0; --i) {
      text += pieces[random() % pieces.size()];
    }
    const auto length = static_cast<int32_t>(text.size());
    const int32_t capacity = std::max(0, length + 1 + static_cast<int32_t>(random() % 5) - 2);
    const char mask = masks[random() % masks.size()];
    SCOPED_TRACE(::testing::Message() << "round " << round << " capacity " << capacity);

    std::string fused(static_cast<size_t>(capacity) + 4, '~');
    const int32_t result =
        MaskAtLevel(filter->Keys(), 2, text.c_str(), fused.data(), capacity, mask);

    std::string literal(fused.size(), '~');
    std::vector<char> intermediate(static_cast<size_t>(capacity) + 1, '~');
    const int32_t expected =
        filter->ReplaceBadWords(text.c_str(), intermediate.data(), capacity, mask, 1) |
        filter->ReplaceBadWords(intermediate.data(), literal.data(), capacity, mask, 0);
    ASSERT_EQ(result, expected);
    ASSERT_EQ(fused, literal);
  }
}

}  // namespace
}  // namespace chatsieve
