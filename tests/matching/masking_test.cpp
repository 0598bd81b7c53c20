#include <gtest/gtest.h>

#include <cstdint>
#include <list>
#include <random>
#include <string>
#include <vector>

#include "dictionary/bad_chat_man.h"
#include "matching_test_support.h"

namespace chatsieve {
namespace {

using test_support::CopyBuckets;
using test_support::Fold;
using test_support::IsKept;
using test_support::Narrow;
using test_support::ReferenceBuckets;

constexpr char16_t kGuard = u'#';
constexpr size_t kGuardUnits = 4;

struct Masked {
  int32_t result;
  std::u16string text;  // the whole destination, guard units included
};

// The wide pass into a destination of `capacity` units followed by guard units.
Masked MaskWide(const BadChatMan& filter, const std::u16string& text, int32_t keep_all,
                uint32_t capacity, char16_t mask = u'*') {
  std::u16string destination(capacity + kGuardUnits, kGuard);
  const int32_t result =
      filter.ReplaceBadWordsW(text.c_str(), destination.data(), capacity, mask, keep_all);
  return {result, destination};
}

struct MaskedNarrow {
  int32_t result;
  std::string text;
};

MaskedNarrow MaskNarrow(const BadChatMan& filter, const std::string& text, int32_t keep_all,
                        int32_t capacity, char mask = '*') {
  std::string destination(static_cast<size_t>(capacity) + kGuardUnits, '#');
  const int32_t result =
      filter.ReplaceBadWords(text.c_str(), destination.data(), capacity, mask, keep_all);
  return {result, destination};
}

// The text a destination holds, up to its terminator.
template <typename Text>
Text Terminated(const Text& destination) {
  return destination.substr(0, destination.find(typename Text::value_type{0}));
}

void Fill(BadChatMan& filter, const std::vector<std::u16string>& sorted,
          const std::vector<std::u16string>& added_after = {}) {
  for (const auto& word : sorted)
    filter.AddWord(word.c_str());
  filter.SortBuckets();
  for (const auto& word : added_after)
    filter.AddWord(word.c_str());
}

// The masking pass as it reads, with the lookup's case rule: a list of pointers into
// the working copy, every bucket word compared in turn, and after each masked word
// the walk starting over from the first node.
test_support::ReferenceMasked ReferencePass(const ReferenceBuckets& buckets, std::u16string text,
                                            int32_t keep_all, char16_t mask) {
  std::list<char16_t*> chain;
  char16_t last_chained = 0;
  for (char16_t& unit : text) {
    if (keep_all == 0 && (!IsKept(unit) || (unit == u' ' && last_chained == u' '))) continue;
    chain.push_back(&unit);
    last_chained = unit;
  }
  int32_t words = 0;
  auto at = chain.begin();
  while (at != chain.end()) {
    const size_t matched =
        test_support::FirstMatch(buckets, **at, [&](const std::u16string& word) -> size_t {
          size_t i = 0;
          for (auto node = at; node != chain.end(); ++node, ++i) {
            if (Fold(**node) != Fold(word[i])) return 0;
            if (i + 1 == word.size() || word[i + 1] == 0) return i + 1;
          }
          return 0;
        });
    if (matched == 0) {
      ++at;
      continue;
    }
    for (size_t i = 0; i < matched; ++i) {
      **at = mask;
      at = chain.erase(at);
    }
    ++words;
    at = chain.begin();
  }
  return {words, text};
}

struct Example {
  const char* name;
  std::vector<std::u16string> words;
  std::vector<std::u16string> added_after_sorting;
  int32_t keep_all;
  std::u16string text;
  std::u16string masked;
};

// Each example holds for the wide pass and, re-encoded, for the narrow pass.
TEST(MaskingPassTest, MasksTheWorkedExamples) {
  const Example examples[] = {
      {"lower first letter", {u"abc"}, {}, 1, u"xaBCx", u"x***x"},
      {"upper first letter", {u"abc"}, {}, 1, u"xABCx", u"x***x"},
      {"upper word, lower text", {u"ABC"}, {}, 1, u"xabcx", u"x***x"},
      {"exact bucket first", {u"Ab", u"abc"}, {}, 1, u"abc", u"***"},
      {"other-case bucket", {u"Ab", u"xyz"}, {}, 1, u"aB", u"**"},
      {"kept only across punctuation", {u"abc"}, {}, 0, u"a.b-c", u"*.*-*"},
      {"kept only, spaces are chained", {u"abc"}, {}, 0, u"a b c", u"a b c"},
      {"kept only, one space of a run", {u"a b"}, {}, 0, u"a    b", u"**   *"},
      {"kept only, space after a comma", {u"a b"}, {}, 0, u"a , b", u"**, *"},
      {"kept only, tab left out", {u"ab"}, {}, 0, u"a\tb", u"*\t*"},
      {"all characters, punctuation", {u"abc"}, {}, 1, u"a.b-c", u"a.b-c"},
      {"longer word first", {u"ab", u"abc"}, {}, 1, u"abc", u"***"},
      {"bucket order as added", {u"ab"}, {u"abc"}, 1, u"abc", u"**c"},
      {"across a masked stretch", {u"xyz", u"abcd"}, {}, 1, u"abxyzcd", u"*******"},
      {"restart before the stretch", {u"abcdef", u"cd"}, {}, 1, u"abcdcdef", u"********"},
      {"overlap: first found wins", {u"abc", u"bcd"}, {}, 1, u"abcd", u"***d"},
      {"repeated word", {u"ab"}, {}, 1, u"ababab", u"******"},
      {"Hangul", {u"바보"}, {}, 1, u"너 바보야", u"너 **야"},
      {"Hangul kept only", {u"바보"}, {}, 0, u"바.보!", u"*.*!"},
      {"no word", {u"abc"}, {}, 1, u"ab c", u"ab c"},
  };
  for (const Example& example : examples) {
    SCOPED_TRACE(example.name);
    BadChatMan filter;
    Fill(filter, example.words, example.added_after_sorting);
    const int32_t expected = example.text != example.masked ? 1 : 0;
    const auto capacity = static_cast<uint32_t>(example.text.size() + 1);
    const Masked wide = MaskWide(filter, example.text, example.keep_all, capacity);
    EXPECT_EQ(wide.result, expected);
    EXPECT_EQ(Terminated(wide.text), example.masked);
    const std::string narrow_text = Narrow(example.text);
    const MaskedNarrow narrow = MaskNarrow(filter, narrow_text, example.keep_all,
                                           static_cast<int32_t>(narrow_text.size() + 1));
    EXPECT_EQ(narrow.result, expected);
    EXPECT_EQ(Terminated(narrow.text), Narrow(example.masked));
  }
}

TEST(MaskingPassTest, KeepsOrEmptiesTheDestinationAsTheFailureRulesSay) {
  BadChatMan filter;
  Fill(filter, {u"abc"});
  struct Failure {
    const char* name;
    bool null_destination;
    const char* narrow_source;
    const char16_t* wide_source;
    int32_t size;
    bool emptied;
  };
  const Failure failures[] = {
      {"null destination", true, "abc", u"abc", 8, false},
      {"size 0", false, "abc", u"abc", 0, false},
      {"null source", false, nullptr, nullptr, 8, true},
      {"empty source", false, "", u"", 8, true},
      {"one short of the terminator", false, "xabcx", u"xabcx", 5, true},
      {"negative size", false, "abc", nullptr, -1, true},
  };
  for (const Failure& failure : failures) {
    SCOPED_TRACE(failure.name);
    char narrow[] = "KEEPKEEP";
    char16_t wide[] = u"KEEPKEEP";
    EXPECT_EQ(
        filter.ReplaceBadWords(failure.narrow_source, failure.null_destination ? nullptr : narrow,
                               failure.size, '*', 1),
        0);
    EXPECT_EQ(std::string(narrow, 8), failure.emptied ? std::string("\0EEPKEEP", 8) : "KEEPKEEP");
    if (failure.size < 0) continue;
    EXPECT_EQ(
        filter.ReplaceBadWordsW(failure.wide_source, failure.null_destination ? nullptr : wide,
                                static_cast<uint32_t>(failure.size), u'*', 1),
        0);
    EXPECT_EQ(std::u16string(wide, 8),
              failure.emptied ? std::u16string(u"\0EEPKEEP", 8) : u"KEEPKEEP");
  }
}

TEST(MaskingPassTest, WritesExactlyUpToTheCapacity) {
  BadChatMan filter;
  Fill(filter, {u"abc"});
  // Just enough: the wide pass zeroes the rest of the capacity, the narrow one leaves it.
  EXPECT_EQ(MaskWide(filter, u"xabcx", 1, 6).text, std::u16string(u"x***x\0####", 10));
  EXPECT_EQ(MaskWide(filter, u"xabcx", 1, 9).text, std::u16string(u"x***x\0\0\0\0####", 13));
  EXPECT_EQ(MaskNarrow(filter, "xabcx", 1, 6).text, std::string("x***x\0####", 10));
  EXPECT_EQ(MaskNarrow(filter, "xabcx", 1, 9).text, std::string("x***x\0#######", 13));
  // A zero mask ends the text at the first masked unit.
  const Masked wide_zero = MaskWide(filter, u"xabcx", 1, 6, 0);
  EXPECT_EQ(wide_zero.result, 1);
  EXPECT_EQ(wide_zero.text, std::u16string(u"x\0\0\0\0\0####", 10));
  const MaskedNarrow narrow_zero = MaskNarrow(filter, "xabcx", 1, 6, '\0');
  EXPECT_EQ(narrow_zero.result, 1);
  EXPECT_EQ(narrow_zero.text, std::string("x\0########", 10));
}

TEST(MaskingPassTest, WidensANarrowMaskBySignExtension) {
  BadChatMan filter;
  Fill(filter, {u"abc"});
  // 0xE6 widens to U+FFE6, the full-width won sign, two bytes in code page 949.
  const std::string won = Narrow(u"\uFFE6");
  ASSERT_EQ(won.size(), 2u);
  const MaskedNarrow fits = MaskNarrow(filter, "xabcx", 1, 9, '\xE6');
  EXPECT_EQ(fits.result, 1);
  EXPECT_EQ(fits.text, "x" + won + won + won + "x" + std::string("\0####", 5));
  // Masking made the text longer than the capacity: an empty text, nothing past it.
  const MaskedNarrow too_long = MaskNarrow(filter, "xabcx", 1, 8, '\xE6');
  EXPECT_EQ(too_long.result, 1);
  EXPECT_EQ(too_long.text, std::string("\0###########", 12));
  EXPECT_EQ(MaskWide(filter, u"xabcx", 1, 6, 0xFFE6).text,
            std::u16string(u"x\uFFE6\uFFE6\uFFE6x\0####", 10));
}

TEST(MaskingPassTest, ReencodesTheNarrowTextAsTheConverterDoes) {
  BadChatMan filter;
  Fill(filter, {u"abc"});
  // A lone 0x80 decodes to U+FFFD, which encodes as '?'.
  const MaskedNarrow unmasked = MaskNarrow(filter, "\x80xy", 1, 4);
  EXPECT_EQ(unmasked.result, 0);
  EXPECT_EQ(unmasked.text, std::string("?xy\0####", 8));
}

TEST(MaskingPassTest, MasksInTheSourcesOwnBuffer) {
  BadChatMan filter;
  Fill(filter, {u"abc"});
  char narrow[] = "xABCx";
  EXPECT_EQ(filter.ReplaceBadWords(narrow, narrow, sizeof narrow, '*', 1), 1);
  EXPECT_STREQ(narrow, "x***x");
  char16_t wide[] = u"xABCx";
  EXPECT_EQ(filter.ReplaceBadWordsW(wide, wide, 6, u'*', 1), 1);
  EXPECT_EQ(std::u16string(wide), u"x***x");
}

// Random word lists and texts over small alphabets, against the literal pass: the
// restart just before a masked stretch must find what starting over finds.
TEST(MaskingPassTest, AgreesWithTheLiteralPassOnRandomLists) {
  std::mt19937 random(20240611);
  const std::u16string word_alphabet = u"abcAB 가";
  const std::u16string text_alphabet = u"abcABC .-*가";
  const char16_t masks[] = {u'*', u'a', 0};
  int masked_texts = 0;
  for (int round = 0; round < 3000; ++round) {
    BadChatMan filter;
    test_support::FillRandomly(filter, random, word_alphabet);
    const ReferenceBuckets buckets = CopyBuckets(filter);
    const std::u16string text = test_support::RandomText(random, text_alphabet, 1, 40);
    const char16_t mask = masks[round % 3];
    for (const int32_t keep_all : {0, 1}) {
      SCOPED_TRACE(::testing::Message() << "round " << round << " keep_all " << keep_all);
      const auto expected = ReferencePass(buckets, text, keep_all, mask);
      const uint32_t capacity = static_cast<uint32_t>(text.size() + 1 + random() % 3);
      const Masked wide = MaskWide(filter, text, keep_all, capacity, mask);
      EXPECT_EQ(wide.result, expected.words > 0 ? 1 : 0);
      std::u16string expected_destination = Terminated(expected.text);
      expected_destination.resize(capacity, u'\0');
      EXPECT_EQ(wide.text, expected_destination + std::u16string(kGuardUnits, kGuard));
      const std::string narrow_text = Narrow(text);
      const MaskedNarrow narrow =
          MaskNarrow(filter, narrow_text, keep_all, static_cast<int32_t>(narrow_text.size() + 1),
                     static_cast<char>(mask));
      EXPECT_EQ(narrow.result, wide.result);
      EXPECT_EQ(Terminated(narrow.text), Narrow(Terminated(expected.text)));
      masked_texts += wide.result;
    }
  }
  // The lists must find words often enough for the comparison to mean something.
  EXPECT_GT(masked_texts, 1500);
}

}  // namespace
}  // namespace chatsieve
