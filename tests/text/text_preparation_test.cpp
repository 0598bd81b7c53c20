#include "text/text_preparation.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "support/system_converter.h"

namespace chatsieve {
namespace {

// 가 and 나 in code page 949.
constexpr char kGaNa[] = "\xB0\xA1\xB3\xAA";

std::u16string Stripped(const std::u16string& text) {
  WideWork out;
  const int32_t length = StripText(text.c_str(), static_cast<int32_t>(text.size()), out);
  EXPECT_GE(length, 0);
  return std::u16string(out.Data(), static_cast<size_t>(length));
}

TEST(CharacterTests, LetterOrDigitAndKept) {
  struct Case {
    char16_t unit;
    bool letter_or_digit;
    bool kept;
  };
  const std::vector<Case> cases = {
      {0x0030, true, true},   {0x0039, true, true},   {0x0041, true, true},
      {0x005A, true, true},   {0x0061, true, true},   {0x007A, true, true},
      {0x0020, false, true},  {0x002F, false, false}, {0x003A, false, false},
      {0x0040, false, false}, {0x005B, false, false}, {0x005F, false, false},
      {0x0060, false, false}, {0x007B, false, false}, {0x00C0, false, false},
      {0x00AA, false, false}, {0x00B5, false, false}, {0x00E9, false, false},
      {0xFFFF, false, false}, {0x0009, false, false}, {0x000A, false, false},
      {0x000D, false, false}, {0x002E, false, false}, {0x0000, false, false},
      {0xAC00, true, true},   {0xD7A3, true, true},   {0x0100, true, true},
      {0x4E00, true, true},   {0x0660, true, true},   {0xFF21, true, true},
      {0x3000, false, false}, {0xD800, false, false}, {0xE000, false, false},
      {0x3131, true, true},   {0xFF0E, false, false}, {0x2026, false, false},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(IsLetterOrDigit(c.unit), c.letter_or_digit) << std::hex << int{c.unit};
    EXPECT_EQ(IsKeptChar(c.unit), c.kept) << std::hex << int{c.unit};
  }
}

TEST(StripText, KeepsFirstUnitKeptCharactersAndSingleSpaces) {
  struct Case {
    std::u16string text;
    std::u16string stripped;
  };
  const std::vector<Case> cases = {
      {u"", u""},
      {u"  a", u" a"},
      {u"a  \t b", u"a b"},
      {u"A\tB", u"AB"},
      {u".a.b", u".ab"},
      {u"\t\t", u"\t"},
      {u"Ab, c!!  \uAC00-\uB098", u"Ab c \uAC00\uB098"},
      {u"a \t b", u"a b"},
      {u"a\r\n\r\nb", u"ab"},
      {u"   ", u" "},
      {u"x . y", u"x y"},
      {u"\u00E9a\u00E9b", u"\u00E9ab"},
      {u"1-2-3", u"123"},
      {u"\U0001F600a",
       u"\xD83D"
       u"a"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Stripped(c.text), c.stripped) << "text of " << c.text.size() << " units";
}

TEST(StripText, StripsOnlyTheGivenLength) {
  WideWork out;
  EXPECT_EQ(StripText(u"a.bc", 3, out), 2);
  EXPECT_EQ(std::u16string(out.Data()), u"ab");
  EXPECT_EQ(StripText(u"abc", -1, out), -1);
}

TEST(StripText, RecordsWhereEachKeptUnitCameFrom) {
  WideWork out;
  WorkBuffer<int32_t> origins;
  const std::u16string text = u"-a..  b\tc";
  const int32_t length = StripText(text.c_str(), static_cast<int32_t>(text.size()), out, &origins);
  ASSERT_EQ(length, 5);
  EXPECT_EQ(std::u16string(out.Data()), u"-a bc");
  const std::vector<int32_t> expected = {0, 1, 4, 6, 8};
  EXPECT_EQ(std::vector<int32_t>(origins.Data(), origins.Data() + length), expected);
}

TEST(StripText, TextLongerThanTheInlineBuffer) {
  std::u16string text;
  std::u16string expected;
  for (int i = 0; i < 400; ++i) {
    text += u"x,  ";
    expected += u"x ";
  }
  EXPECT_EQ(Stripped(text), expected);
}

TEST(NarrowToWide, CountsTheTerminator) {
  struct Case {
    std::string narrow;
    std::u16string wide;
  };
  const std::vector<Case> cases = {
      {"", u""},
      {std::string(kGaNa) + "a", u"\uAC00\uB098a"},
      {"abc", u"abc"},
      // Ours leaves the ASCII trail of a broken pair to be read again, wine's converter
      // swallows it; a lead byte at the end never swallows the terminator.
      {"\xC8"
       "A",
       test_support::ByTables<std::u16string>(u"\uFFFDA", u"?")},
      {"a\xB0", test_support::ByTables<std::u16string>(u"a\uFFFD", u"a?")},
      {std::string(300, 'z'), std::u16string(300, u'z')},
  };
  for (const Case& c : cases) {
    WideWork out;
    ASSERT_EQ(NarrowToWide(c.narrow.c_str(), out), static_cast<int32_t>(c.wide.size()) + 1);
    EXPECT_EQ(std::u16string(out.Data()), c.wide);
  }
  WideWork out;
  EXPECT_EQ(NarrowToWide(nullptr, out), 0);
}

TEST(WideToNarrow, WritesTheTerminatorAndRespectsCapacity) {
  char narrow[8] = {};
  EXPECT_EQ(WideToNarrow(u"\uAC00\uB098a", narrow, sizeof narrow), 6);
  EXPECT_EQ(std::string(narrow), std::string(kGaNa) + "a");
  EXPECT_EQ(WideToNarrow(u"", narrow, sizeof narrow), 1);
  EXPECT_EQ(narrow[0], 0);
  EXPECT_EQ(WideToNarrow(u"\uAC00\uB098\uAC00\uB098", narrow, sizeof narrow), 0);
}

TEST(DuplicateWide, LengthWithoutTerminatorAndNothingForEmpty) {
  WideWork narrow_converted;
  ASSERT_EQ(NarrowToWide((std::string(kGaNa) + "a").c_str(), narrow_converted), 4);
  WideWork copy;
  EXPECT_EQ(DuplicateWide(narrow_converted.Data(), copy), 3);
  EXPECT_EQ(std::u16string(copy.Data()), u"\uAC00\uB098a");
  EXPECT_EQ(DuplicateWide(u"", copy), 0);

  const std::u16string long_text(1000, u'q');
  EXPECT_EQ(DuplicateWide(long_text.c_str(), copy), 1000);
  EXPECT_EQ(std::u16string(copy.Data()), long_text);
}

TEST(CopyWide, CopiesUnitsAndTerminator) {
  char16_t destination[5] = {u'#', u'#', u'#', u'#', u'#'};
  CopyWide(u"ab\uAC00", destination);
  EXPECT_EQ(std::u16string(destination, 5), std::u16string(u"ab\uAC00\0#", 5));
}

}  // namespace
}  // namespace chatsieve
