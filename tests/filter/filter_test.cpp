// What a host sees of the filter: allowed words, positions, masking styles, loading
// from every source, failed loads that change nothing, pinned words.
#include <gtest/gtest.h>

#include <chatsieve/filter.hpp>
#include <chrono>
#include <fstream>

#include "support/temporary_directory.h"

#ifdef __linux__
#include <sys/resource.h>
#endif

namespace chatsieve {
namespace {

struct Case {
  const char* text;
  const char* masked;
};

TEST(FilterTest, AllowedWordsCoverTheForbiddenOnesInside) {
  Filter filter;
  filter.LoadText("시발\n시바\n새끼\n");
  filter.LoadText("시발점\n시바견\n새끼손가락\n", WordRole::kAllowed);
  const Case cases[] = {
      {"시발점에서 만나", "시발점에서 만나"},
      {"시바견 귀엽다", "시바견 귀엽다"},
      {"새끼손가락 걸고", "새끼손가락 걸고"},
      {"시발 시발점", "** 시발점"},
      {"이 새끼", "이 **"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(filter.Mask(c.text), c.masked) << c.text;
    EXPECT_EQ(filter.Check(c.text), std::string(c.text) != c.masked) << c.text;
  }
}

// Each occurrence found was once compared with every allowed occurrence: a long line
// dense with both took time quadratic in its length (seconds at 100,000 characters).
TEST(FilterTest, ALongTextDenseWithAllowedWordsIsScreenedQuickly) {
  Filter filter;
  filter.LoadText("a\n");
  filter.LoadText("aa\n", WordRole::kAllowed);
  const std::string text(200000, 'a');
  const auto start = std::chrono::steady_clock::now();
  EXPECT_FALSE(filter.Check(text));
  EXPECT_TRUE(filter.Find(text).empty());
  EXPECT_EQ(filter.Mask(text), text);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
}

#ifdef __linux__
long PeakKilobytes() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return usage.ru_maxrss;
}

// Masking kept an entry for every character of every occurrence: a 100-character word
// met at each of 100,000 positions took hundreds of megabytes.
TEST(FilterTest, MaskingALongTextWithALongWordTakesLittleMemory) {
  Filter filter;
  filter.LoadText(std::string(100, 'a') + "\n");
  const std::string text(100000, 'a');
  const long before = PeakKilobytes();
  EXPECT_EQ(filter.Mask(text), std::string(text.size(), '*'));
  EXPECT_LT(PeakKilobytes() - before, 100 * 1024);
}
#endif

// Each word that shares its key with others was compared with all of them: a list of
// 300,000 copies of one word took 12 s to load.
TEST(FilterTest, ManyWordsOfOneKeyLoadQuickly) {
  std::string list;
  for (int k = 0; k < 500000; ++k)
    list += "a\n";
  Filter filter;
  const auto start = std::chrono::steady_clock::now();
  filter.LoadText(list);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(10));
  EXPECT_TRUE(filter.Check("a"));
}

TEST(FilterTest, ReportsEveryOccurrenceInTextOrderWithItsWord) {
  Filter filter;
  filter.LoadText("\xEF\xBB\xBF# comment\nabc\r\nbc\n\nab\n");
  const std::vector<Match> found = filter.Find("xABcd");
  ASSERT_EQ(found.size(), 3u);
  EXPECT_EQ(found[0].begin, 1u);  // ab
  EXPECT_EQ(found[0].end, 3u);
  EXPECT_EQ(filter.Word(found[0].word), "ab");
  EXPECT_EQ(filter.Word(found[1].word), "abc");
  EXPECT_EQ(filter.Word(found[2].word), "bc");
  EXPECT_EQ(found[2].begin, 2u);
}

TEST(FilterTest, MasksOneCharacterPerCharacter) {
  Filter filter(Option::kSeparators);
  filter.LoadText("시발\nbad\n");
  EXPECT_EQ(filter.Mask("시.발 b-a-d", U'*'), "*.* *-*-*");
  EXPECT_EQ(filter.Mask("시.발 b-a-d", U'♥', MaskStyle::kKeepFirst), "시.♥ b-♥-♥");
  EXPECT_EQ(filter.Mask(u"시발\xD800", U'\U0001F600'), u"\U0001F600\U0001F600\xD800");
  EXPECT_EQ(filter.Mask("\xFF시발\xC0"), "\xFF**\xC0");
}

TEST(FilterTest, LoadsTheBinaryListsByContent) {
  const std::string data = CHATSIEVE_TEST_LISTS;
  for (const char* name : {"/filter.bcd", "/filterW.bcd"}) {
    Filter filter;
    filter.Load(data + name);
    EXPECT_GT(filter.WordCount(), 10u) << name;
    EXPECT_TRUE(filter.Check(filter.Word(0))) << name;
  }
}

TEST(FilterTest, AFailedLoadChangesNothingAndSaysWhy) {
  testing::TemporaryDirectory directory;
  const std::string bad_list = directory.Path().string() + "/words.txt";
  std::ofstream(bad_list) << "ok\n\xFF\xFE\n";
  Filter filter;
  filter.LoadText("bad\n");
  const struct {
    std::string path;
    const char* reason;
  } failures[] = {
      {directory.Path().string(), ": cannot open: is a directory"},
      {directory.Path().string() + "/missing", ": cannot open: No such file or directory"},
      {bad_list, ":2: not valid UTF-8"},
  };
  for (const auto& failure : failures) {
    try {
      filter.Load(failure.path);
      ADD_FAILURE() << failure.path;
    } catch (const Error& error) {
      EXPECT_EQ(error.what(), failure.path + failure.reason);
    }
    EXPECT_TRUE(filter.Check("so bad"));
    EXPECT_EQ(filter.WordCount(), 1u);
  }
}

TEST(FilterTest, APinnedFilterKeepsItsWordsThroughLoads) {
  Filter filter;
  filter.LoadText("one\n");
  const Filter pinned = filter.Pin();
  filter.LoadText("two\n");
  EXPECT_TRUE(pinned.Check("one"));
  EXPECT_FALSE(pinned.Check("two"));
  EXPECT_EQ(pinned.Word(0), "one");
  EXPECT_TRUE(filter.Check("two"));
}

}  // namespace
}  // namespace chatsieve
