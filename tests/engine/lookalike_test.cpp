// The look-alike reading: its table, where shapes count, and what the built-in lexicon
// finds with it and leaves clean.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "chatsieve/filter.h"
#include "engine/char_preparation.h"
#include "engine/screening.h"
#include "filter/builtin_lexicons.h"
#include "filter/compiled_words.h"
#include "filter/word_source.h"
#include "text/unicode_text.h"

namespace chatsieve {
namespace {

std::u32string Decoded(std::string_view text) {
  std::u32string out;
  for (size_t at = 0; at < text.size();) {
    const DecodedChar c = Utf8::Decode(text.data() + at, text.size() - at);
    out.push_back(c.code_point);
    at += c.units;
  }
  return out;
}

std::string Encoded(std::u32string_view text) {
  std::string out;
  for (const char32_t c : text)
    Utf8::Append(out, c);
  return out;
}

// The text as read, '|' between characters; one read from other characters than
// itself (case aside) is followed by '=' and them.
std::string Read(uint32_t options, const std::string& text) {
  TextChars chars;
  ReadPreparedChars<Utf8>(MatchOptions::FromBits(options), BuiltinLookalikes(), text, chars);
  std::u32string read;
  for (const TextChar& c : chars) {
    if (!read.empty()) read.push_back(U'|');
    read.push_back(c.code_point);
    const std::u32string original = Decoded(text.substr(c.begin, c.end - c.begin));
    if (original.size() != 1 || FoldCase(original[0]) != c.code_point) read += U"=" + original;
  }
  return Encoded(read);
}

TEST(Lookalikes, CountWhereTheyStandAmongHangul) {
  constexpr uint32_t kRead = CHATSIEVE_LOOKALIKE | CHATSIEVE_JAMO;
  const std::vector<std::pair<std::string, std::string>> cases = {
      {"ㅅl발", "시=ㅅl|발"},
      {"7H새끼", "개=7H|새|끼"},
      {"ㄱH새", "개=ㄱH|새"},
      {"人발", "ㅅ=人|발"},
      {"ㅈr", "자=ㅈr"},
      {"새77l", "새|끼=77l"},
      {"시8", "시|팔=8"},
      {"ㅆ8것들", "ㅆ|팔=8|것|들"},
      {"10새끼", "씹=10|새|끼"},
      {"아 18 진짜!", "아| |씨=1|발=8| |진|짜|!"},
      {"18 재앙", "씨=1|발=8| |재|앙"},
      {"18세 이상", "1|8|세| |이|상"},
      {"18 세", "1|8| |세"},
      {"2018년", "2|0|1|8|년"},
      {"5.18", "5|.|1|8"},
      {"18:30 시작", "1|8|:|3|0| |시|작"},
      {"1/8 정도", "1|/|8| |정|도"},
      {"18,000원", "1|8|,|0|0|0|원"},
      {"18% 할인", "1|8|%| |할|인"},
      {"AB7H9", "a|b|7|h|9"},
      {"7Hz 음파", "7|h|z| |음|파"},
      {"lol 18", "l|o|l| |1|8"},
      {"단일 10", "단|일| |1|0"},
      {"人口", "人|口"},
      {"ㅅ1ㅂ 씨71발", "ㅅ|1|ㅂ| |씨|7|1|발"},
      {"쓰레7ㅣ", "쓰|레|기=7ㅣ"},
  };
  for (const auto& [text, read] : cases)
    EXPECT_EQ(Read(kRead, text), read) << text;
}

TEST(Lookalikes, TableReportsLinesThatHoldNoShape) {
  EXPECT_TRUE(LookalikeTable().Add(BuiltinLookalikeText()).empty());
  LookalikeTable table;
  const std::vector<WordListProblem> problems = table.Add(
      "# shapes\n\xEF\xBB\xBF人\tㅅ\r\n18\t씨발\nab\tㅅ\tx\n8\t씨발\n가\tㅏ\nA7\tㄱ\n"
      "a人\tㅅ\nlong1\tㅣ\n5\t오\n人\tㅈ\n1\tx\n\xFF\tㅅ\n");
  std::vector<size_t> lines;
  for (const WordListProblem& problem : problems)
    lines.push_back(problem.line);
  EXPECT_EQ(lines, (std::vector<size_t>{4, 5, 6, 8, 9, 11, 12, 13}));
  ASSERT_EQ(table.Shapes().size(), 4u);  // 人 and 18, a7 (folded), 5
  EXPECT_EQ(table.NumberReadings(), (std::vector<std::u32string>{U"씨발", U"오"}));
  // A later table reads a shape anew.
  EXPECT_TRUE(table.Add("5\tㅇ\n").empty());
  EXPECT_EQ(table.NumberReadings(), std::vector<std::u32string>{U"씨발"});
}

class BuiltInLexicon : public testing::Test {
 protected:
  static constexpr MatchOptions kRecommended = MatchOptions::FromBits(CHATSIEVE_RECOMMENDED);

  bool Holds(const std::string& text) const {
    return HoldsWord<Utf8>({forbidden_->index, allowed_->index, kRecommended}, text);
  }

 private:
  std::shared_ptr<const CompiledWords> forbidden_ =
      CompileWords(WordsOfText(kKoreanLexicon.words, "ko").words, kRecommended).compiled;
  std::shared_ptr<const CompiledWords> allowed_ =
      CompileAllowedWords(WordsOfText(kKoreanLexicon.allowed, "ko").words, kRecommended).compiled;
};

TEST_F(BuiltInLexicon, FindsLookalikesAndLeavesNumbersAndCodesClean) {
  const std::vector<std::string> found = {
      "ㅅl발 뭐야",  "7H새끼",    "ㄱH새",  "人발",  "시8",         "10새끼",     "아 18 진짜",
      "18 재앙이다", "ㅆ8것들아", "개10창", "씨8발", "시1발 ㅅ1ㅂ", "ㅈ1랄 하네", "에라이 개 18아"};
  const std::vector<std::string> clean = {
      "18세 이상", "시리얼 AB7H9", "5.18 기념일", "18:30에 보자", "2018년",    "1/8 정도",
      "18,000원",  "8강 진출",     "10분만",      "18 세 미만",   "10이 넘어", "아이폰10 샀다",
      "온라인 10", "10진수",       "lol 진짜",    "오늘 7시 7H7H"};
  for (const std::string& text : found)
    EXPECT_TRUE(Holds(text)) << text;
  for (const std::string& text : clean)
    EXPECT_FALSE(Holds(text)) << text;
}

}  // namespace
}  // namespace chatsieve
