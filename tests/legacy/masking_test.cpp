#include <gtest/gtest.h>

#include <cstdint>
#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "legacy/bad_chat_man.h"
#include "legacy/detection_test_support.h"
#include "legacy/matching_test_support.h"
#include "legacy/reference_comparison.h"
#include "support/system_converter.h"

namespace chatsieve {
namespace {

using test_support::FilterOf;

// What a pass leaves in a destination of `capacity` units followed by four guard units
// that must stay '#'.
template <typename Char>
struct Masked {
  int32_t result;
  std::basic_string<Char> destination;
  bool operator==(const Masked&) const = default;
};

Masked<char16_t> MaskWide(const BadChatMan& filter, const std::u16string& text, int32_t keep_all,
                          uint32_t capacity, char16_t mask = u'*') {
  std::u16string destination(capacity + 4, u'#');
  const int32_t result =
      filter.ReplaceBadWordsW(text.c_str(), destination.data(), capacity, mask, keep_all);
  return {result, destination};
}

Masked<char> MaskNarrow(const BadChatMan& filter, const std::string& text, int32_t keep_all,
                        int32_t capacity, char mask = '*') {
  std::string destination(static_cast<size_t>(capacity) + 4, '#');
  const int32_t result =
      filter.ReplaceBadWords(text.c_str(), destination.data(), capacity, mask, keep_all);
  return {result, destination};
}

template <typename Text>
Text Terminated(const Text& destination) {
  return destination.substr(0, destination.find(typename Text::value_type{0}));
}

struct Example {
  std::vector<std::u16string> words;
  int32_t keep_all;
  std::u16string text;
  std::u16string masked;
  std::vector<std::u16string> added_later = {};
};

// Each holds for the wide pass and, re-encoded, for the narrow pass.
TEST(MaskingPassTest, MasksTheWorkedExamples) {
  const Example examples[] = {
      {{u"abc"}, 1, u"xaBCx", u"x***x"},
      {{u"abc"}, 1, u"xABCx", u"x***x"},     // either case of the first letter
      {{u"Ab", u"abc"}, 1, u"abc", u"***"},  // the exact-case bucket first
      {{u"abc"}, 0, u"a.b-c", u"*.*-*"},
      {{u"abc"}, 0, u"a b c", u"a b c"},
      {{u"a b"}, 0, u"a    b", u"**   *"},
      {{u"a b"}, 0, u"a , b", u"**, *"},
      {{u"abc"}, 1, u"a.b-c", u"a.b-c"},
      {{u"ab", u"abc"}, 1, u"abc", u"***"},
      {{u"ab"}, 1, u"abc", u"**c", {u"abc"}},  // a bucket keeps the order words came in
      {{u"xyz", u"abcd"}, 1, u"abxyzcd", u"*******"},
      {{u"abcdef", u"cd"}, 1, u"abcdcdef", u"********"},
      {{u"abc", u"bcd"}, 1, u"abcd", u"***d"},
      {{u"바보"}, 0, u"너 바.보야", u"너 *.*야"},
  };
  for (size_t i = 0; i < std::size(examples); ++i) {
    SCOPED_TRACE(::testing::Message() << "example " << i);
    const Example& example = examples[i];
    const auto filter = FilterOf(example.words, example.added_later);
    const int32_t expected = example.text != example.masked ? 1 : 0;
    const auto capacity = static_cast<uint32_t>(example.text.size() + 1);
    const auto wide = MaskWide(*filter, example.text, example.keep_all, capacity);
    EXPECT_EQ(wide.result, expected);
    EXPECT_EQ(Terminated(wide.destination), example.masked);
    const std::string narrow_text = test_support::NarrowFormOf(example.text).value();
    const auto narrow = MaskNarrow(*filter, narrow_text, example.keep_all,
                                   static_cast<int32_t>(narrow_text.size() + 1));
    EXPECT_EQ(narrow.result, expected);
    EXPECT_EQ(Terminated(narrow.destination), test_support::NarrowFormOf(example.masked).value());
  }
}

TEST(MaskingPassTest, KeepsOrEmptiesTheDestinationAsTheFailureRulesSay) {
  const auto filter = FilterOf({u"abc"});
  struct Failure {
    bool null_destination;
    const char* narrow_source;
    const char16_t* wide_source;
    int32_t size;
    bool emptied;
  };
  const Failure failures[] = {
      {true, "abc", u"abc", 8, false},     {false, "abc", u"abc", 0, false},
      {false, nullptr, nullptr, 8, true},  {false, "", u"", 8, true},
      {false, "xabcx", u"xabcx", 5, true},  // one short of the terminator
      {false, "abc", nullptr, -1, true},
  };
  for (const Failure& failure : failures) {
    SCOPED_TRACE(::testing::Message() << "size " << failure.size);
    char narrow[] = "KEEPKEEP";
    char16_t wide[] = u"KEEPKEEP";
    EXPECT_EQ(
        filter->ReplaceBadWords(failure.narrow_source, failure.null_destination ? nullptr : narrow,
                                failure.size, '*', 1),
        0);
    EXPECT_EQ(std::string(narrow, 8), failure.emptied ? std::string("\0EEPKEEP", 8) : "KEEPKEEP");
    if (failure.size < 0) continue;
    EXPECT_EQ(
        filter->ReplaceBadWordsW(failure.wide_source, failure.null_destination ? nullptr : wide,
                                 static_cast<uint32_t>(failure.size), u'*', 1),
        0);
    EXPECT_EQ(std::u16string(wide, 8),
              failure.emptied ? std::u16string(u"\0EEPKEEP", 8) : u"KEEPKEEP");
  }
}

// The wide pass zeroes its destination up to the capacity; the narrow pass leaves the
// bytes after the terminator, and empties a text that masking made too long for it.
TEST(MaskingPassTest, WritesTheDestinationUpToTheCapacity) {
  CHATSIEVE_SKIP_ON_WINDOWS_ITSELF();
  const auto filter = FilterOf({u"abc"});
  EXPECT_EQ(MaskWide(*filter, u"xabcx", 1, 6).destination, std::u16string(u"x***x\0####", 10));
  EXPECT_EQ(MaskWide(*filter, u"xabcx", 1, 8).destination, std::u16string(u"x***x\0\0\0####", 12));
  EXPECT_EQ(MaskWide(*filter, u"xabcx", 1, 6, 0).destination,
            std::u16string(u"x\0\0\0\0\0####", 10));
  EXPECT_EQ(MaskWide(*filter, u"xabcx", 1, 6, 0xFFE6).destination,
            std::u16string(u"x\uFFE6\uFFE6\uFFE6x\0####", 10));
  EXPECT_EQ(MaskNarrow(*filter, "xabcx", 1, 8).destination, std::string("x***x\0######", 12));
  EXPECT_EQ(MaskNarrow(*filter, "xabcx", 1, 6, '\0').destination, std::string("x\0########", 10));
  // 0xE6 widens to U+FFE6, which takes two bytes: the text grows from 6 bytes to 9.
  const std::string won = test_support::NarrowFormOf(u"\uFFE6").value();
  EXPECT_EQ(MaskNarrow(*filter, "xabcx", 1, 9, '\xE6').destination,
            "x" + won + won + won + "x" + std::string("\0####", 5));
  // The system converter writes what fits before it fails.
  EXPECT_EQ(
      MaskNarrow(*filter, "xabcx", 1, 8, '\xE6'),
      (Masked<char>{1, test_support::ByTables(std::string("\0###########", 12),
                                              std::string(1, '\0') + won + won + won + "x####")}));
  // A lone 0x80 decodes to U+FFFD, which encodes as '?'; the system's converter keeps it.
  EXPECT_EQ(MaskNarrow(*filter, "\x80xy", 1, 4).destination,
            test_support::ByTables(std::string("?xy\0####", 8), std::string("\x80xy\0####", 8)));
}

TEST(MaskingPassTest, MasksInTheSourcesOwnBuffer) {
  const auto filter = FilterOf({u"abc"});
  char narrow[] = "xABCx";
  EXPECT_EQ(filter->ReplaceBadWords(narrow, narrow, sizeof narrow, '*', 1), 1);
  EXPECT_STREQ(narrow, "x***x");
  char16_t wide[] = u"xABCx";
  EXPECT_EQ(filter->ReplaceBadWordsW(wide, wide, 6, u'*', 1), 1);
  EXPECT_EQ(std::u16string(wide), u"x***x");
}

// Random lists and texts over small alphabets: restarting just before a masked stretch
// must find what starting over from the first node finds.
TEST(MaskingPassTest, AgreesWithTheReferenceEngineOnRandomLists) {
  std::mt19937 random(20240611);
  const char16_t masks[] = {u'*', u'a', 0};
  int masked_texts = 0;
  for (int round = 0; round < 3000 && !HasFailure(); ++round) {
    SCOPED_TRACE(::testing::Message() << "round " << round);
    const BadChatMan filter = test_support::RandomFilter(random, u"abcAB 가");
    const std::u16string text = test_support::RandomText(random, u"abcABC .-*가", 1, 40);
    masked_texts += test_support::ExpectAsReference(
        filter, reference::ReferenceEngine(filter.Words()), text, masks[round % 3]);
  }
  // The lists find words often enough for the comparison to mean something.
  EXPECT_GT(masked_texts, 1500);
}

}  // namespace
}  // namespace chatsieve
