// The Korean options as a host sets them, through the library's C++ interface.
#include <gtest/gtest.h>

#include <chatsieve/filter.hpp>

#include "support/temporary_directory.h"

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
  EXPECT_TRUE(korean.HasAll(Option::kJamo | Option::kSeparators));
  EXPECT_FALSE(Options(Option::kJamo).HasAll(Option::kJamo | Option::kWidth));
}

// A host's table is added to the built-in one; the words in force are read with it at
// once, a table that does not load changes nothing, and no path goes back to the
// built-in table alone.
TEST(KoreanFilterTest, ReadsAHostsLookalikesBesideTheBuiltInOnes) {
  testing::TemporaryDirectory directory;
  Filter filter(Option::kRecommended);
  filter.LoadText("시발\n");
  const std::string text = "$l발 7H";
  EXPECT_FALSE(filter.Check(text));
  EXPECT_EQ(filter.LoadLookalikes(directory.Write("shapes.txt", "# mine\n$\tㅅ\n")), "");
  EXPECT_EQ(filter.Mask(text), "*** 7H");
  try {
    filter.LoadLookalikes(directory.Write("bad.txt", "$\tㅅ\nab\t시발\n"));
    ADD_FAILURE() << "a table with a bad line loaded";
  } catch (const Error& error) {
    EXPECT_EQ(error.Code(), CHATSIEVE_E_FORMAT);
    EXPECT_NE(std::string(error.what()).find("bad.txt:2:"), std::string::npos) << error.what();
  }
  EXPECT_TRUE(filter.Check(text));
  filter.LoadLookalikes("");
  EXPECT_FALSE(filter.Check(text));
  EXPECT_TRUE(filter.Check("ㅅl발"));
}

}  // namespace
}  // namespace chatsieve
