#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "legacy/bad_chat_man.h"
#include "legacy/detection_test_support.h"
#include "support/system_converter.h"

namespace chatsieve {
namespace {

using test_support::FilterOf;
using test_support::NarrowFormOf;

struct Case {
  std::vector<std::u16string> words;
  std::u16string text;
  int32_t as_written;
  int32_t stripped;
  // Added after the buckets were sorted, so their buckets no longer try longer words
  // first.
  std::vector<std::u16string> added_later = {};
};

// Every operation and every level, in both encodings where the text has a code page
// 949 form, and the caller's text left as it was.
void ExpectDetection(const BadChatMan& filter, const std::u16string& text, int32_t as_written,
                     int32_t stripped) {
  SCOPED_TRACE(::testing::Message() << "text of " << text.size() << " units");
  const std::u16string wide = text;
  EXPECT_EQ(filter.FindBadWordW(wide.c_str()), as_written);
  EXPECT_EQ(filter.FindBadWordStrippedW(wide.c_str()), stripped);
  const int32_t at_level_2 = stripped != 0 ? stripped : as_written;
  EXPECT_EQ(DetectAtLevel(filter.Keys(), 1, wide.c_str()), as_written);
  EXPECT_EQ(DetectAtLevel(filter.Keys(), 2, wide.c_str()), at_level_2);
  for (const int32_t off : {0, 3, -1, INT32_MIN})
    EXPECT_EQ(DetectAtLevel(filter.Keys(), off, wide.c_str()), 0) << "level " << off;
  EXPECT_EQ(wide, text);

  const auto narrow_form = NarrowFormOf(text);
  if (!narrow_form) return;
  const std::string narrow = *narrow_form;
  EXPECT_EQ(filter.FindBadWord(narrow.c_str()), as_written);
  EXPECT_EQ(filter.FindBadWordStripped(narrow.c_str()), stripped);
  EXPECT_EQ(DetectAtLevel(filter.Keys(), 1, narrow.c_str()), as_written);
  EXPECT_EQ(DetectAtLevel(filter.Keys(), 2, narrow.c_str()), at_level_2);
  EXPECT_EQ(DetectAtLevel(filter.Keys(), 0, narrow.c_str()), 0);
  EXPECT_EQ(narrow, *narrow_form);
}

void ExpectCases(const std::vector<Case>& cases) {
  for (size_t i = 0; i < cases.size(); ++i) {
    SCOPED_TRACE(::testing::Message() << "case " << i);
    const Case& c = cases[i];
    const auto filter = FilterOf(c.words, c.added_later);
    ExpectDetection(*filter, c.text, c.as_written, c.stripped);
  }
}

TEST(Detection, UpperCaseWord) {
  const std::vector<std::u16string> bad = {u"BAD"};
  ExpectCases({
      {bad, u"xbadx", 1, 1},
      {bad, u"xBaDx", 1, 1},
      {bad, u"BAD", 1, 1},
      {bad, u"b.a.d", 0, 1},
      {bad, u"b-a-d", 0, 1},
      {bad, u"b\ta\td", 0, 1},
      {bad, u"b\r\na\nd", 0, 1},
      {bad, u"b a d", 0, 0},
      {bad, u"b", 0, 0},
      {bad, u"xxBA", 0, 0},
      {bad, u"xx ba", 0, 0},
      {bad, u"xxbad", 1, 1},
      {bad, u"babad", 1, 1},
      {bad, u"ba.", 0, 0},
  });
}

TEST(Detection, WordFoundWhateverTheCaseOfItsFirstLetter) {
  for (const std::u16string word : {u"bad", u"Bad", u"BAD", u"bAD"}) {
    for (const std::u16string text : {u"xbadx", u"xBADx", u"xBaDx", u"b-A-d"}) {
      SCOPED_TRACE(::testing::Message() << "word " << std::string(word.begin(), word.end()));
      ExpectDetection(*FilterOf({word}), text, text == u"b-A-d" ? 0 : 1, 1);
    }
  }
  const auto all_three = FilterOf({u"bad", u"Bad", u"BAD"});
  for (const std::u16string text : {u"xbadx", u"xBADx", u"xBaDx"})
    ExpectDetection(*all_three, text, 1, 1);
}

TEST(Detection, WordsWithCharactersTheStripRemoves) {
  ExpectCases({
      {{u"A.B"}, u"a.b", 1, 0},
      {{u"A.B"}, u"xa.bx", 1, 0},
      {{u"A.B"}, u"a..b", 0, 0},
      // The strip keeps the first unit whatever it is.
      {{u".A"}, u".a", 1, 1},
      {{u".A"}, u"x.a", 1, 0},
      {{u"x\u00E9y"}, u"X\u00E9Y", 1, 0},
      {{u"\u00E9"}, u"\u00C9", 0, 0},
      {{u"\uFF21"}, u"\uFF41", 0, 0},
      {{u"\U0001F600"}, u"a\U0001F600", 1, 0},
      {{u"\uAC00 \uB098"}, u"\uAC00   \uB098", 0, 1},
      {{u"\uAC00 \uB098"}, u"\uAC00\t \t\uB098", 0, 1},
      {{u"\uAC00\uB098"}, u"\uAC00.\uB098", 0, 1},
      {{u"\uAC00\uB098"}, u"\uAC00 \uB098", 0, 0},
      {{u"\uAC00\uB098"}, u"\uB2E4\uAC00\uB098", 1, 1},
      {{u"  X"}, u"a  x", 1, 0},
  });
}

TEST(Detection, BucketOrderDoesNotDecide) {
  ExpectCases({
      {{u"BA", u"BADX"}, u"xBAD", 1, 1},
      {{u"BADX"}, u"bad", 0, 0},
      {{u"BA"}, u"badd", 1, 1, {u"BADDY"}},
      {{u"BA"}, u"bXddy", 0, 0, {u"BADDY"}},
      {{u"BA"}, u"x.baddy", 1, 1, {u"BADDY"}},
      {{u"QQ"}, u"b.a.d.d.y", 0, 1, {u"BADDY"}},
      {{u"QQ"}, u"b.a.d.d", 0, 0, {u"BADDY"}},
      {{}, u"bad", 1, 1, {u"B", u"BAD"}},
      {{u"b"}, u"abc", 1, 1, {u"BAD"}},
  });
}

TEST(Detection, TextsLongerThanTheInlineBuffer) {
  std::u16string filler;
  for (int i = 0; i < 300; ++i)
    filler += u"\uB2E4\uB77C, ";
  ExpectCases({
      {{u"BAD"}, filler + u"b.a.d" + filler, 0, 1},
      {{u"BAD"}, filler + u"xbad", 1, 1},
      {{u"BAD"}, filler + u"ba", 0, 0},
      {{u"\uB77C\uB2E4"}, filler, 0, 0},
      {{u"\uB77C \uB2E4"}, filler, 0, 1},
      {{u"A.B"}, filler + u"a.b", 1, 0},
  });
}

TEST(Detection, NullAndEmptyTexts) {
  const auto filter = FilterOf({u"BAD", u"\uAC00"});
  for (const int32_t level : {1, 2}) {
    EXPECT_EQ(DetectAtLevel(filter->Keys(), level, static_cast<const char*>(nullptr)), 0);
    EXPECT_EQ(DetectAtLevel(filter->Keys(), level, static_cast<const char16_t*>(nullptr)), 0);
    EXPECT_EQ(DetectAtLevel(filter->Keys(), level, ""), 0);
    EXPECT_EQ(DetectAtLevel(filter->Keys(), level, u""), 0);
  }
  EXPECT_EQ(filter->FindBadWord(nullptr), 0);
  EXPECT_EQ(filter->FindBadWordStripped(nullptr), 0);
  EXPECT_EQ(filter->FindBadWordW(nullptr), 0);
  EXPECT_EQ(filter->FindBadWordStrippedW(nullptr), 0);
}

TEST(Detection, NothingIsFoundWhileTheWordCountIsZero) {
  BadChatMan empty;
  ExpectDetection(empty, u"BAD \uAC00", 0, 0);

  ExpectDetection(*test_support::FilterOf({u"BAD"}), u"xbadx", 1, 1);
  ExpectDetection(*test_support::UncountedFilterOf("BAD"), u"xbadx", 0, 0);
}

TEST(Detection, NarrowTextThatIsNotValidCodePage949) {
  CHATSIEVE_SKIP_ON_WINDOWS_ITSELF();
  const auto filter = FilterOf({u"BAD", u"\uFFFDA"});
  EXPECT_EQ(filter->FindBadWord("\x80xbad"), 1);
  // Wine's converter swallows the letter after the broken lead.
  const int32_t letter_kept = test_support::ByTables(1, 0);
  EXPECT_EQ(filter->FindBadWord("\xC8"
                                "a"),
            letter_kept);
  EXPECT_EQ(filter->FindBadWordStripped("\xC8.a"), letter_kept);
  EXPECT_EQ(filter->FindBadWord("\xB0"), 0);
  EXPECT_EQ(filter->FindBadWordStripped("\xFF\xFF"), 0);
}

}  // namespace
}  // namespace chatsieve
