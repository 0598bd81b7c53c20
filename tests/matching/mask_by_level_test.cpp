#include "matching/mask_by_level.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "dictionary/bad_chat_man.h"
#include "matching_test_support.h"

namespace chatsieve {
namespace {

using test_support::Narrow;

constexpr char16_t kUntouched = u'#';
constexpr size_t kBufferUnits = 16;

struct LevelCase {
  const char* name;
  std::vector<std::u16string> words;
  int32_t level;
  std::u16string text;
  int32_t capacity;  // a negative one is tried in the narrow form only
  char16_t mask;
  int32_t result;
  // The text the destination holds; nothing when it must be untouched.
  std::optional<std::u16string> masked;
  bool null_destination = false;
};

TEST(MaskAtLevelTest, ComposesThePassesByLevel) {
  const LevelCase cases[] = {
      {"level 1 as written", {u"abc"}, 1, u"xabcx", 6, u'*', 1, u"x***x"},
      {"level 1 sees punctuation", {u"abc"}, 1, u"a.b-c", 6, u'*', 0, u"a.b-c"},
      {"level 2, second pass only", {u"abc"}, 2, u"a.b-c", 6, u'*', 1, u"*.*-*"},
      {"level 2, first pass only", {u"a-b"}, 2, u"a-b", 4, u'*', 1, u"***"},
      {"level 2 across the first pass's mask", {u"bc", u"ad"}, 2, u"a-bc-d", 7, u'*', 1, u"*-**-*"},
      {"level 2, a letter mask is kept", {u"bc", u"ad"}, 2, u"a-bc-d", 7, u'x', 1, u"a-xx-d"},
      {"level 2, nothing listed", {u"abc"}, 2, u"a.b", 4, u'*', 0, u"a.b"},
      {"level 2, text does not fit", {u"abc"}, 2, u"xabcx", 5, u'*', 0, u""},
      {"level 2, capacity 0", {u"abc"}, 2, u"abc", 0, u'*', 0, std::nullopt},
      {"level 2, negative capacity", {u"abc"}, 2, u"abc", -1, u'*', 0, std::nullopt},
      {"level 2, null destination, first pass masks",
       {u"abc"},
       2,
       u"abc",
       4,
       u'*',
       1,
       std::nullopt,
       true},
      {"level 2, null destination, second pass would",
       {u"abc"},
       2,
       u"a.b.c",
       6,
       u'*',
       0,
       std::nullopt,
       true},
      {"level 3", {u"abc"}, 3, u"abc", 4, u'*', 0, std::nullopt},
      {"level 0", {u"abc"}, 0, u"abc", 4, u'*', 0, std::nullopt},
      {"level -1", {u"abc"}, -1, u"abc", 4, u'*', 0, std::nullopt},
  };
  for (const LevelCase& test : cases) {
    SCOPED_TRACE(test.name);
    BadChatMan filter;
    for (const auto& word : test.words)
      filter.AddWord(word.c_str());
    filter.SortBuckets();

    const std::u16string untouched(kBufferUnits, kUntouched);
    std::u16string wide = untouched;
    if (test.capacity >= 0) {
      EXPECT_EQ(MaskAtLevel(filter, test.level, test.text.c_str(),
                            test.null_destination ? nullptr : wide.data(),
                            static_cast<uint32_t>(test.capacity), test.mask),
                test.result);
      // A text written in full is followed by zeros up to the capacity; an emptied
      // destination only has its first unit zeroed.
      std::u16string expected = untouched;
      if (test.masked && !test.masked->empty()) {
        expected.replace(0, static_cast<size_t>(test.capacity), static_cast<size_t>(test.capacity),
                         u'\0');
      }
      if (test.masked) expected.replace(0, test.masked->size() + 1, *test.masked + u'\0');
      EXPECT_EQ(wide, expected);
    }

    std::string narrow = Narrow(untouched);
    EXPECT_EQ(MaskAtLevel(filter, test.level, Narrow(test.text).c_str(),
                          test.null_destination ? nullptr : narrow.data(), test.capacity,
                          static_cast<char>(test.mask)),
              test.result);
    std::string expected = Narrow(untouched);
    if (test.masked) expected.replace(0, test.masked->size() + 1, Narrow(*test.masked) + '\0');
    EXPECT_EQ(narrow, expected);
  }
}

}  // namespace
}  // namespace chatsieve
