// Detection and masking through the exports, as a host linked against the library
// calls them. ctest runs every test in a process of its own, so each starts with the
// library freshly loaded.
#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <thread>
#include <vector>

#include "chatsieve/chatsieve.h"
#include "support/temporary_directory.h"
#include "support/word_file_builder.h"

namespace {

using chatsieve::testing::TemporaryDirectory;
using chatsieve::testing::WordFileBuilder;

// Loads a wide list holding `words` and returns the export's result.
int32_t LoadWords(const std::vector<std::u16string>& words) {
  const TemporaryDirectory directory;
  WordFileBuilder list;
  list.WideHead(static_cast<int32_t>(words.size()));
  for (const auto& word : words)
    list.WideRecord(word);
  const std::string path = directory.Write("listW.bcd", list.Data());
  return InitBadChatManW(std::u16string(path.begin(), path.end()).c_str());
}

// "b.a.d" holds BAD only once stripped: it tells level 1 from level 2.
constexpr const char16_t* kOnlyStripped = u"b.a.d";

TEST(ScreeningExports, LevelIsTwoRightAfterLoad) {
  ASSERT_EQ(LoadWords({u"BAD"}), 1);
  EXPECT_EQ(IsBadW(kOnlyStripped), 1);
  SetLevel(1);
  EXPECT_EQ(IsBadW(kOnlyStripped), 0);
}

TEST(ScreeningExports, LevelChosenByTheHostHoldsWhileThreadsStartAndEnd) {
  ASSERT_EQ(LoadWords({u"BAD"}), 1);
  SetLevel(1);
  std::vector<std::thread> threads;
  for (int i = 0; i < 4; ++i)
    threads.emplace_back([] { EXPECT_EQ(IsBadW(u"xbadx"), 1); });
  for (auto& thread : threads)
    thread.join();
  EXPECT_EQ(IsBadW(kOnlyStripped), 0);
  SetLevel(2);
  EXPECT_EQ(IsBadW(kOnlyStripped), 1);
}

TEST(ScreeningExports, OtherLevelsScreenNothingAndLeaveTheDestination) {
  ASSERT_EQ(LoadWords({u"BAD"}), 1);
  for (int32_t level : {3, 0, -1}) {
    SetLevel(level);
    EXPECT_EQ(IsBad("xbadx"), 0);
    EXPECT_EQ(IsBadW(u"xbadx"), 0);
    char narrow[8] = "before";
    EXPECT_EQ(IsBadToRep("xbadx", narrow, sizeof narrow, '*'), 0);
    EXPECT_STREQ(narrow, "before");
    char16_t wide[8] = u"before";
    EXPECT_EQ(IsBadToRepW(u"xbadx", wide, 8, u'*'), 0);
    EXPECT_EQ(std::u16string(wide), u"before");
  }
}

TEST(ScreeningExports, NoCapacityWritesNothing) {
  ASSERT_EQ(LoadWords({u"BAD"}), 1);
  for (int32_t level : {1, 2, 3}) {
    SetLevel(level);
    for (int32_t capacity : {0, -1, INT32_MIN}) {
      char narrow[8] = "before";
      EXPECT_EQ(IsBadToRep("xbadx", narrow, capacity, '*'), 0) << level << ' ' << capacity;
      EXPECT_STREQ(narrow, "before") << level << ' ' << capacity;
    }
    char16_t wide[8] = u"before";
    EXPECT_EQ(IsBadToRepW(u"xbadx", wide, 0, u'*'), 0) << level;
    EXPECT_EQ(std::u16string(wide), u"before") << level;
  }
}

TEST(ScreeningExports, FirstLetterCaseDoesNotMatter) {
  for (const char16_t* stored : {u"bad", u"Bad", u"BAD"}) {
    ASSERT_EQ(LoadWords({stored}), 1);
    for (int32_t level : {1, 2}) {
      SetLevel(level);
      for (const char* text : {"xbadx", "xBADx", "xBaDx"}) {
        EXPECT_EQ(IsBad(text), 1) << text << " level " << level;
        const std::u16string wide(text, text + std::char_traits<char>::length(text));
        EXPECT_EQ(IsBadW(wide.c_str()), 1) << text << " level " << level;
      }
    }
  }
}

struct AgreementCase {
  const char* narrow;  // code page 949
  const char16_t* wide;
};

TEST(ScreeningExports, NarrowAndWideAgreeAtEveryLevel) {
  ASSERT_EQ(LoadWords({u"BAD", u"\uAC00\uB098", u"A.B"}), 1);
  const std::vector<AgreementCase> cases = {
      {"xbadx", u"xbadx"},
      {"b.a.d", u"b.a.d"},
      {"b a d", u"b a d"},
      {"a.b", u"a.b"},
      {"\xB0\xA1-\xB3\xAA", u"\uAC00-\uB098"},
      {"\xB0\xA1 \xB3\xAA", u"\uAC00 \uB098"},
      {"ba", u"ba"},
      {"", u""},
  };
  for (int32_t level : {1, 2, 3}) {
    SetLevel(level);
    for (const auto& c : cases) {
      EXPECT_EQ(IsBad(c.narrow), IsBadW(c.wide)) << c.narrow << " level " << level;
      char narrow[16];
      char16_t wide[16];
      EXPECT_EQ(IsBadToRep(c.narrow, narrow, sizeof narrow, '*'),
                IsBadToRepW(c.wide, wide, 16, u'*'))
          << c.narrow << " level " << level;
    }
  }
  EXPECT_EQ(IsBad(nullptr), 0);
  EXPECT_EQ(IsBadW(nullptr), 0);
}

TEST(ScreeningExports, MaskingComposesBothPassesAtLevelTwo) {
  ASSERT_EQ(LoadWords({u"BAD", u"\uAC00\uB098"}), 1);
  SetLevel(2);
  char16_t wide[32];
  EXPECT_EQ(IsBadToRepW(u"b.a.d and xbadx", wide, 32, u'#'), 1);
  EXPECT_EQ(std::u16string(wide), u"#.#.# and x###x");
  char narrow[32];
  EXPECT_EQ(IsBadToRep("\xB0\xA1.\xB3\xAA!", narrow, sizeof narrow, '*'), 1);
  EXPECT_STREQ(narrow, "*.*!");
  SetLevel(1);
  EXPECT_EQ(IsBadToRepW(u"b.a.d and xbadx", wide, 32, u'#'), 1);
  EXPECT_EQ(std::u16string(wide), u"b.a.d and x###x");
}

// In place: the characters the stripped word was read from, at any level, in the text's own
// buffer; a narrow two-byte character becomes one '*'.
TEST(ScreeningExports, MasksInPlaceWhereTheStrippedWordStands) {
  ASSERT_EQ(LoadWords({u"abc", u"\uAC00\uB098"}), 1);
  SetLevel(3);
  struct Case {
    std::u16string text, masked;
  };
  const Case cases[] = {
      {u"aq-bc abc", u"aq-bc ***"}, {u"a-b-c", u"*-*-*"}, {u"aBc", u"***"}, {u"clean", u"clean"}};
  for (const Case& c : cases) {
    std::u16string text = c.text;
    EXPECT_EQ(chatsieve_legacy_mask_in_place16(text.data()), c.masked != c.text ? 1 : 0);
    EXPECT_EQ(text.c_str(), c.masked);
  }
  char narrow[] = "x\xB0\xA1.\xB3\xAAy";
  EXPECT_EQ(chatsieve_legacy_mask_in_place(narrow), 1);
  EXPECT_STREQ(narrow, "x*.*y");
  EXPECT_EQ(chatsieve_legacy_mask_in_place(nullptr), 0);
  SetLevel(2);
}

}  // namespace
