// Words that count only at the start of a word or as a whole word, with the Korean
// particles that may follow a whole word, as written and under the Korean readings.
#include <gtest/gtest.h>

#include <chatsieve/filter.hpp>

namespace chatsieve {
namespace {

struct PlaceCase {
  const char* text;
  bool found;
};

TEST(WordPlaceTest, ShortWordsCountOnlyWhereTheyStand) {
  const PlaceCase cases[] = {
      {"이 년아", true},      {"년들아 꺼져", true}, {"저 년이랑 놀지 마", true},
      {"년ㅋㅋ", true},       {"(년)", true},        {"몇년 만이야", false},
      {"작년에 갔어", false}, {"1년 전", false},     {"년도별 통계", false},
      {"ㅋㅋ년", false},      {"ass hat", true},     {"a class act", false},
      {"asshole", true},      {"glass", false},
  };
  for (const Options options : {Options(), Option::kKorean | Option::kSeparators}) {
    Filter filter(options);
    filter.LoadText("년\tinsult\t3\twhole\nass\t\t2\tstart\n");
    for (const PlaceCase& c : cases)
      EXPECT_EQ(filter.Check(c.text), c.found) << c.text << " options " << options.Bits();
  }
}

TEST(WordPlaceTest, AllowedWordsStandWhereTheirPlaceSays) {
  Filter filter;
  filter.LoadText("시발\n");
  filter.LoadText("시발점\t\t\twhole\n", WordRole::kAllowed);
  EXPECT_FALSE(filter.Check("시발점 도착"));
  EXPECT_TRUE(filter.Check("시발점도착"));  // 시발점 is no whole word there: 시발 counts
}

TEST(WordPlaceTest, APolicyCountsWordsBySeverityAndCategory) {
  Filter filter;
  filter.LoadText("존나\tprofanity\t1\n씨발\tprofanity\t2\n걸레\tsexual\t3\n");
  const char* text = "존나 씨발 걸레";
  EXPECT_EQ(filter.Find(text).size(), 3u);
  filter.SetMinSeverity(2);
  EXPECT_EQ(filter.Find(text).size(), 2u);
  filter.SetCategories("sexual");
  ASSERT_EQ(filter.Find(text).size(), 1u);
  EXPECT_EQ(filter.Find(text)[0].category, "sexual");
  EXPECT_EQ(filter.Find(text)[0].severity, 3);
  filter.LoadText("걸레\tsexual\t1\n");  // the policy holds through loads
  EXPECT_FALSE(filter.Check(text));
  filter.SetCategories("");
  filter.SetMinSeverity(1);
  EXPECT_TRUE(filter.Check(text));
  EXPECT_THROW(filter.SetMinSeverity(4), Error);
  EXPECT_THROW(filter.SetCategories("a,,b"), Error);
  EXPECT_EQ(filter.WordSeverity(0), 1);
  EXPECT_EQ(filter.WordCategory(0), "sexual");
}

}  // namespace
}  // namespace chatsieve
