// The Korean options as a host sets them, through the library's C++ interface.
#include <gtest/gtest.h>

#include <chatsieve/filter.hpp>

namespace chatsieve {
namespace {

TEST(KoreanFilterTest, ReadsDisguisesAndMasksTheirOwnCharacters) {
  Filter filter(Option::kKorean | Option::kSeparators);
  filter.LoadText("시발\n졸라\n");
  // 졸랐 holds 졸라 only as initials, which allowed words do not get: it hides no ㅈㄹ.
  filter.LoadText("시발점\n졸랐\n", WordRole::kAllowed);
  EXPECT_EQ(filter.Mask("ㅅㅣㅂㅏㄹ 시발점 ㅈㄹ TlqKf 시1발"), "***** 시발점 ** ***** *1*");
  const std::vector<Match> found = filter.Find(u"ｓ시\u200B발");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].begin, 1u);
  EXPECT_EQ(found[0].end, 4u);
}

TEST(KoreanFilterTest, TheRecommendedSetIsSeveralOptions) {
  const Options korean = Option::kKorean | Option::kSeparators;
  EXPECT_TRUE(korean.Has(Option::kKorean));
  EXPECT_TRUE(korean.Has(Option::kJamo));
  EXPECT_FALSE(Options(Option::kJamo).Has(Option::kKorean));
}

}  // namespace
}  // namespace chatsieve
