#include "matching/mask_by_level.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "dictionary/bad_chat_man.h"
#include "matching/detection_test_support.h"

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
    SCOPED_TRACE(testing::Message() << "case " << i);
    const Case& test = cases[i];
    const auto filter = test_support::FilterOf(test.words);
    const std::u16string untouched(16, u'#');
    if (test.capacity >= 0) {
      std::u16string wide = untouched;
      EXPECT_EQ(MaskAtLevel(*filter, test.level, test.text.c_str(),
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
    EXPECT_EQ(MaskAtLevel(*filter, test.level, NarrowFormOf(test.text).value().c_str(),
                          test.null_destination ? nullptr : narrow.data(), test.capacity,
                          static_cast<char>(test.mask)),
              test.result);
    std::string expected(16, '#');
    if (test.masked)
      expected.replace(0, test.masked->size() + 1, NarrowFormOf(*test.masked).value() + '\0');
    EXPECT_EQ(narrow, expected);
  }
}

}  // namespace
}  // namespace chatsieve
