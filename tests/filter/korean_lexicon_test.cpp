// The built-in Korean lexicon as hosts get it: it loads whole, with nothing left out or
// merged; every allowed word covers a listed word it holds; clean chat stays clean and
// the demonstration chat's insults are found.
#include <gtest/gtest.h>

#include <chatsieve/filter.hpp>
#include <fstream>
#include <string>
#include <vector>

#include "wordfile/word_list.h"

namespace chatsieve {
namespace {

std::vector<std::string> LinesOf(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in) << path;
  std::vector<std::string> lines;
  for (std::string line; std::getline(in, line);)
    lines.push_back(line);
  return lines;
}

std::string ContentsOf(const std::string& path) {
  std::string contents;
  for (const std::string& line : LinesOf(path))
    contents += line + "\n";
  return contents;
}

TEST(KoreanLexiconTest, LoadsWholeWithNothingLeftOutOrMerged) {
  for (const Options options : {Options(Option::kRecommended), Options()}) {
    Filter filter(options);
    char note[512];
    ASSERT_EQ(chatsieve_filter_load_builtin(const_cast<chatsieve_filter*>(filter.Handle()), "ko",
                                            note, sizeof note),
              CHATSIEVE_OK);
    EXPECT_STREQ(note, "") << options.Bits();
    EXPECT_GT(filter.WordCount(), 400u);
  }
  Filter filter;
  EXPECT_THROW(filter.LoadBuiltin("xx"), Error);
}

// An allowed word that holds no listed word allows nothing: a typo or a stale entry; one
// that leaves a listed word it holds uncovered does not do its work.
TEST(KoreanLexiconTest, EveryAllowedWordCoversAListedWordItHolds) {
  WordList allowed;
  ASSERT_TRUE(ReadWordListText(ContentsOf(CHATSIEVE_TEST_DATA "/lexicon/ko/allowed.txt"), allowed)
                  .problems.empty());
  ASSERT_GT(allowed.Size(), 100u);
  Filter with_allowed = Filter::Korean();
  with_allowed.SetMinSeverity(1);
  Filter without_allowed = Filter::Korean();
  without_allowed.SetMinSeverity(1);
  without_allowed.LoadText("", WordRole::kAllowed);
  for (size_t k = 0; k < allowed.Size(); ++k) {
    EXPECT_TRUE(without_allowed.Check(allowed[k])) << allowed[k] << " allows nothing";
    EXPECT_FALSE(with_allowed.Check(allowed[k])) << allowed[k] << " leaves a word uncovered";
  }
}

TEST(KoreanLexiconTest, CleanChatStaysCleanAndInsultsAreFound) {
  const Filter filter = Filter::Korean();
  for (const std::string& line : LinesOf(CHATSIEVE_BENCH_DATA "/korean-chat-traps.txt"))
    EXPECT_TRUE(line.starts_with("#") || !filter.Check(line)) << line;
  size_t flagged = 0;
  const std::vector<std::string> chat = LinesOf(CHATSIEVE_BENCH_DATA "/chat.txt");
  for (const std::string& line : chat)
    flagged += filter.Check(line) ? 1 : 0;
  EXPECT_LE(flagged * 10000, chat.size() * 1) << flagged;  // at most 0.01%
  const char* const insults[] = {"야 이 병신아 왜 또 죽냐",
                                 "씨-발 진짜 짜증나네",
                                 "개 새끼 라고",
                                 "ㅅㅂ 렉 뭐냐",
                                 "느금마 ㅋㅋ",
                                 "tlqkf 진짜"};
  for (const char* insult : insults)
    EXPECT_TRUE(filter.Check(insult)) << insult;
}

}  // namespace
}  // namespace chatsieve
