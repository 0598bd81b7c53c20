#include "wordfile/word_rules.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "wordfile/bad_word.h"

namespace chatsieve {
namespace {

struct CollapseCase {
  std::string source;
  std::string collapsed;
};

class CollapseSpacesTest : public testing::TestWithParam<CollapseCase> {};

TEST_P(CollapseSpacesTest, IntoAnotherBufferAndInPlace) {
  const CollapseCase& c = GetParam();
  const auto n = static_cast<int32_t>(c.source.size());
  // Exactly n bytes on the heap, so a read or write past them is caught.
  auto exact = std::make_unique<char[]>(c.source.size());
  std::copy(c.source.begin(), c.source.end(), exact.get());
  auto other = std::make_unique<char[]>(c.source.size());

  const int32_t length = CollapseSpaces(exact.get(), other.get(), n);
  EXPECT_EQ(std::string(other.get(), length), c.collapsed);

  const int32_t in_place = CollapseSpaces(exact.get(), exact.get(), n);
  EXPECT_EQ(std::string(exact.get(), in_place), c.collapsed);
}

INSTANTIATE_TEST_SUITE_P(
    Runs, CollapseSpacesTest,
    testing::Values(CollapseCase{"a  b", "a b"}, CollapseCase{"   ", " "}, CollapseCase{" a", " a"},
                    CollapseCase{"a\t\tb", "a\t\tb"}, CollapseCase{"a  ", "a "},
                    CollapseCase{"", ""},
                    // Two syllables with two spaces between them.
                    CollapseCase{"\xB0\xA1  \xB3\xAA", "\xB0\xA1 \xB3\xAA"},
                    // A trail byte of 0x20 is no space, but counts as the last byte written.
                    CollapseCase{"\xB0\x20 x", "\xB0\x20x"},
                    // A lead byte with nothing after it is kept alone.
                    CollapseCase{"ab\xB0", "ab\xB0"}, CollapseCase{"  \xB0", " \xB0"}));

struct CompareCase {
  std::u16string text;
  std::u16string word;
  int32_t n;
  bool equal;
};

TEST(CompareNoCaseTest, FoldsOnlyAsciiLettersAndStopsAtTheTextsEnd) {
  const std::vector<CompareCase> cases = {
      {u"ABC", u"abc", 3, true},        {u"AB", u"ABC", 3, false},
      {u"ABCD", u"ABC", 3, true},       {u"xyz", u"abc", 0, true},
      {u"\uFF21", u"\uFF41", 1, false}, {u"\u00C9", u"\u00E9", 1, false},
      {u"[", u"{", 1, false},           {u"@", u"`", 1, false},
      {u"ab", u"AB", 5, true},  // both end at the same place before n units
      {u"a", u"ab", 2, false},          {u"\uAC00b", u"\uAC00B", 2, true},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(CompareNoCase(c.text.c_str(), c.word.c_str(), c.n), c.equal)
        << "text of " << c.text.size() << " units, n " << c.n;
  }
}

std::unique_ptr<BadWord> FromNarrow(const char* text, bool collapse) {
  auto word = std::make_unique<BadWord>();
  word->BuildFromNarrow(text, collapse);
  return word;
}

std::unique_ptr<BadWord> FromWide(const char16_t* text) {
  auto word = std::make_unique<BadWord>();
  word->BuildFromWide(text);
  return word;
}

TEST(LongerFirstTest, MoreBytesFirstThenMoreUnits) {
  const auto four_bytes = FromNarrow("abcd", false);               // 4 bytes, 4 units
  const auto five_bytes = FromNarrow("a\xB0\xA1\xB3\xAA", false);  // 5 bytes, 3 units
  const auto five_units = FromWide(u"abcde");
  const auto three_units = FromWide(u"abc");
  const auto other_three_units = FromWide(u"xyz");

  EXPECT_TRUE(LongerFirst(*five_bytes, *four_bytes));
  EXPECT_FALSE(LongerFirst(*four_bytes, *five_bytes));
  EXPECT_TRUE(LongerFirst(*four_bytes, *five_units));  // narrow length decides first
  EXPECT_TRUE(LongerFirst(*five_units, *three_units));
  EXPECT_FALSE(LongerFirst(*three_units, *other_three_units));
  EXPECT_FALSE(LongerFirst(*other_three_units, *three_units));
}

struct NarrowBuildCase {
  const char* text;
  bool collapse;
  int32_t narrow_length;
  int32_t wide_length;
  std::u16string wide;
};

TEST(BadWordTest, BuildFromNarrowCollapsesAndConverts) {
  const std::vector<NarrowBuildCase> cases = {
      {"", true, 0, 0, u""},
      {"\xB0\xA1\xB3\xAA", true, 4, 2, u"\uAC00\uB098"},
      {"\xB0\xA1   \xB3\xAA", true, 5, 3, u"\uAC00 \uB098"},
      {"\xB0\xA1   \xB3\xAA", false, 7, 5, u"\uAC00   \uB098"},
      {"a  b", true, 3, 3, u"a b"},
  };
  for (const auto& c : cases) {
    BadWord word;
    EXPECT_EQ(word.BuildFromNarrow(c.text, c.collapse), c.narrow_length) << c.text;
    EXPECT_EQ(word.NarrowLength(), c.narrow_length);
    EXPECT_EQ(word.NarrowText()[c.narrow_length], '\0');
    EXPECT_EQ(word.WideLength(), c.wide_length);
    if (c.wide.empty()) {
      EXPECT_EQ(word.WideText(), nullptr);
    } else {
      EXPECT_EQ(std::u16string(word.WideText()), c.wide);
    }
  }
}

TEST(BadWordTest, BuildFromWideCopiesAndLeavesNoNarrowForm) {
  BadWord empty;
  EXPECT_EQ(empty.BuildFromWide(u""), 0);
  ASSERT_NE(empty.WideText(), nullptr);
  EXPECT_EQ(empty.WideText()[0], u'\0');

  BadWord word;
  EXPECT_EQ(word.BuildFromWide(u"Ab\uAC00"), 3);
  EXPECT_EQ(word.NarrowLength(), 0);
  EXPECT_EQ(word.NarrowText(), nullptr);
  EXPECT_EQ(std::u16string(word.WideText()), u"Ab\uAC00");
  EXPECT_EQ(word.TextLength(), 3);
}

}  // namespace
}  // namespace chatsieve
