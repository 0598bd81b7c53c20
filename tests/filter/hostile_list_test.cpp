// Lists and calls an attacker or a careless operator might give: entries a reading
// shrinks to one character or to nothing, duplicates, words past the length limit,
// byte-order marks inside a list, lengths no buffer can have.
#include <gtest/gtest.h>

#include <chatsieve/filter.hpp>
#include <cstdint>
#include <string>

namespace chatsieve {
namespace {

struct ListCase {
  Options options;
  const char* list;
  const char* note;   // part of the load's note; "" for none
  const char* clean;  // a text that must stay clean
  const char* found;  // a text that must be found, or null
};

TEST(HostileListTest, EntriesAReadingShrinksAreLeftOutAndNoted) {
  const ListCase cases[] = {
      {Option::kRepeats, "xxx\n", "one character", "a fox", nullptr},
      {Option::kRepeats, "zzz\nbad\n", "one character", "pizza", "bad"},
      {Option::kSeparators, "a$$\n", "one character", "banana", nullptr},
      {Option::kSeparators, "\xF0\x9F\x98\x80x\n", "one character", "x marks", nullptr},
      {Option::kSeparators, "...\n", "leave nothing", "...", nullptr},
      {Option::kRepeats, "\xEC\x8B\x9C\xEC\x9D\xB4\n", "one character", "\xEC\x8B\x9C\xEA\xB0\x84",
       nullptr},                                       // 시이 read as 시 would flag 시간
      {Option::kSeparators, "x\n", "", "y", "x-ray"},  // one character alone is kept
      {Options(), "\xEC\x8B\x9C\xEB\xB0\x9C\n\xEC\x8B\x9C\xEB\xB0\x9C\n", "merged", "", nullptr},
      {Options(), "ok\n\xEF\xBB\xBFworse\n", "", "bad", "worse"},
  };
  for (const ListCase& c : cases) {
    Filter filter(c.options);
    const std::string note = filter.LoadText(c.list);
    EXPECT_NE(note.find(c.note), std::string::npos) << c.list << ": " << note;
    if (c.note[0] == '\0') {
      EXPECT_EQ(note, "") << c.list;
    }
    EXPECT_FALSE(filter.Check(c.clean)) << c.list;
    if (c.found != nullptr) {
      EXPECT_TRUE(filter.Check(c.found)) << c.list;
    }
  }
}

TEST(HostileListTest, DuplicatesAreOneWordWithTheFirstIndex) {
  std::string list = "bad\n";
  for (int k = 0; k < 10000; ++k)
    list += "\xEC\x8B\x9C\xEB\xB0\x9C\n";  // 시발
  Filter filter;
  const std::string note = filter.LoadText(list);
  EXPECT_NE(note.find("<text>:3: the same word as <text>:2"), std::string::npos) << note;
  EXPECT_NE(note.find("\n<text>:4: the same word as <text>:2"), std::string::npos) << note;
  EXPECT_NE(note.find(" more entries left out or merged)"), std::string::npos) << note;
  const std::vector<Match> found = filter.Find("\xEC\x8B\x9C\xEB\xB0\x9C");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].word, 1u);
  EXPECT_EQ(filter.WordCount(), 10001u);
}

TEST(HostileListTest, AWordPastTheLengthLimitIsRefusedWithItsLine) {
  const std::string longest(CHATSIEVE_MAX_WORD_LENGTH, 'a');
  Filter filter;
  EXPECT_EQ(filter.LoadText(longest + "\n"), "");
  try {
    filter.LoadText("ok\n" + longest + "a\n");
    ADD_FAILURE();
  } catch (const Error& error) {
    EXPECT_EQ(std::string(error.what()),
              "<text>:2: the word is longer than the limit of 256 characters");
  }
  EXPECT_TRUE(filter.Check(longest));
}

TEST(HostileListTest, FieldsOutOfRangeNameTheirLine) {
  const struct {
    const char* list;
    const char* reason;
  } cases[] = {
      {"a\tprofanity\t4\n", "<text>:1: severity must be 1, 2 or 3"},
      {"a\n\nb\tswear words\n", "<text>:3: category must be up to 64 ASCII letters"},
      {"a\t\t\tsomewhere\n", "<text>:1: where must be anywhere, start, whole or end"},
      {"a\tx\t1\tstart\textra\n", "<text>:1: more than three fields"},
      {"\tprofanity\n", "<text>:1: no word before the fields"},
  };
  for (const auto& c : cases) {
    Filter filter;
    try {
      filter.LoadText(c.list);
      ADD_FAILURE() << c.list;
    } catch (const Error& error) {
      EXPECT_EQ(std::string(error.what()).rfind(c.reason, 0), 0u) << error.what();
    }
  }
}

TEST(HostileListTest, LengthsNoBufferCanHaveAreArgumentErrors) {
  Filter filter;
  const chatsieve_filter* f = filter.Handle();
  const char text[] = "text";
  const uint16_t text16[] = {u't'};
  chatsieve_match match;
  char out[8];
  uint16_t out16[8];
  size_t count = 0;
  char message[64];
  for (const size_t length : {SIZE_MAX, size_t{PTRDIFF_MAX} + 1}) {
    EXPECT_EQ(chatsieve_check(f, text, length), CHATSIEVE_E_ARGUMENT);
    EXPECT_EQ(chatsieve_find(f, text, length, &match, 1, &count), CHATSIEVE_E_ARGUMENT);
    EXPECT_EQ(chatsieve_mask(f, text, length, '*', out, 8, &count), CHATSIEVE_E_ARGUMENT);
    EXPECT_EQ(chatsieve_filter_load_text(const_cast<chatsieve_filter*>(f), text, length, 0, message,
                                         sizeof message),
              CHATSIEVE_E_ARGUMENT);
  }
  for (const size_t length : {SIZE_MAX, size_t{PTRDIFF_MAX} / 2 + 1}) {
    EXPECT_EQ(chatsieve_check16(f, text16, length), CHATSIEVE_E_ARGUMENT);
    EXPECT_EQ(chatsieve_find16(f, text16, length, &match, 1, &count), CHATSIEVE_E_ARGUMENT);
    EXPECT_EQ(chatsieve_mask16(f, text16, length, '*', out16, 8, &count), CHATSIEVE_E_ARGUMENT);
  }
}

}  // namespace
}  // namespace chatsieve
