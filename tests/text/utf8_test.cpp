#include <gtest/gtest.h>

#include <optional>
#include <string>

#include "text/utf8.h"

namespace chatsieve {
namespace {

// File names and the tool's text are converted strictly: anything but shortest-form UTF-8
// of a scalar value refuses the whole text.
TEST(Utf8Test, ConvertsOnlyWellFormedText) {
  struct Case {
    std::string utf8;
    std::optional<std::u16string> utf16;
  };
  const Case cases[] = {
      {"", u""},
      {"a\xEC\x8B\x9C", u"a\uC2DC"},
      {"\xC2\x80\xDF\xBF", u"\u0080\u07FF"},
      {"\xF0\x9F\x98\x80", u"\U0001F600"},
      {"\xF4\x8F\xBF\xBF", u"\U0010FFFF"},
      {"\xC0\x80", std::nullopt},          // overlong
      {"\xE0\x80\x80", std::nullopt},      // overlong
      {"\xF0\x8F\xBF\xBF", std::nullopt},  // overlong
      {"\xED\xA0\x80", std::nullopt},      // a surrogate
      {"\xF4\x90\x80\x80", std::nullopt},  // past U+10FFFF
      {"\xF5\x80\x80\x80", std::nullopt},  // no such lead byte
      {"\xE0\xA0", std::nullopt},          // cut short
      {"a\x80", std::nullopt},             // a stray continuation byte
      {"\xEC\x8B"
       "a",
       std::nullopt},  // cut short before an ASCII byte
  };
  for (const Case& c : cases) {
    EXPECT_EQ(platform::Utf8ToUtf16(c.utf8), c.utf16) << testing::PrintToString(c.utf8);
    EXPECT_EQ(platform::IsUtf8(c.utf8), c.utf16.has_value());
    if (c.utf16) {
      EXPECT_EQ(platform::Utf16ToUtf8(*c.utf16), c.utf8);
    }
  }
}

TEST(Utf8Test, LoneSurrogatesBecomeTheReplacementCharacter) {
  EXPECT_EQ(platform::Utf16ToUtf8(u"a\xD800"
                                  u"b\xDC00"),
            "a\xEF\xBF\xBD"
            "b\xEF\xBF\xBD");
  EXPECT_EQ(platform::Utf16ToUtf8(std::u16string(1, u'\xD83D')), "\xEF\xBF\xBD");
}

}  // namespace
}  // namespace chatsieve
