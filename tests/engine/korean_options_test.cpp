// The Korean options through compiled words, as a filter screens: what each finds, what
// it leaves clean, and that masking covers exactly the original characters.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "chatsieve/filter.h"
#include "engine/korean/korean_forms.h"
#include "engine/match_option_names.h"
#include "engine/screening.h"
#include "filter/compiled_words.h"
#include "text/unicode_text.h"
#include "wordfile/word_list.h"

namespace chatsieve {
namespace {

WordList ListOf(const std::vector<std::string>& words) {
  WordList list;
  for (const std::string& word : words)
    list.Add(word);
  return list;
}

struct Case {
  uint32_t options;
  std::vector<std::string> words;
  std::string text;
  std::string masked;  // the text itself when nothing is found
  std::vector<std::string> allowed = {};
};

std::string Masked(const Case& c) {
  const MatchOptions options = MatchOptions::FromBits(c.options);
  const auto forbidden = CompileWords(ListOf(c.words), options).compiled;
  const auto allowed = CompileAllowedWords(ListOf(c.allowed), options).compiled;
  const ScreeningWords words{forbidden->index, allowed->index, options};
  std::string out;
  const bool masked = MaskWords<Utf8>(words, c.text, U'*', MatchMaskStyle::kWhole, out);
  EXPECT_EQ(masked, HoldsWord<Utf8>(words, c.text)) << c.text;
  return out;
}

TEST(KoreanOptions, FindTheDisguisesOfTheirKind) {
  const std::vector<Case> cases = {
      {CHATSIEVE_WIDTH, {"sibal"}, "ｓｉＢａｌ!", "*****!"},
      {CHATSIEVE_WIDTH | CHATSIEVE_JAMO, {"시발"}, "ﾵￜﾲￂﾩ", "*****"},
      {CHATSIEVE_INVISIBLE, {"시발"}, "시\u200B발 시\u3164발", "*\u200B* *\u3164*"},
      {CHATSIEVE_JAMO, {"시발"}, "ㅅㅣㅂㅏㄹ 시ㅂㅏㄹ", "***** ****"},
      {CHATSIEVE_JAMO, {"병신"}, "\u1107\u1167\u11BC\u1109\u1175\u11AB", "******"},
      {CHATSIEVE_INITIALS, {"시발"}, "ㅅㅂ ㅅ발 시ㅂ", "** ** **"},
      {CHATSIEVE_INITIALS, {"개새끼"}, "ㄱㅅㄲ 개ㅅ끼", "*** ***"},
      {CHATSIEVE_INITIALS, {"병신"}, "ㅄ ㅂㅅ", "* **"},
      {CHATSIEVE_KEYBOARD, {"시발", "개새끼"}, "tlqkf TLQKF rotoRl", "***** ***** ******"},
      {CHATSIEVE_DIGITS, {"시발", "씨발놈"}, "시1발 씨8발놈", "*1* *8**"},
      {CHATSIEVE_REPEATS, {"시발"}, "시이이발", "****"},
      {CHATSIEVE_REPEATS, {"씨발"}, "씨바아알", "****"},
      {CHATSIEVE_REPEATS, {"니애미", "fuck"}, "니애미임 fuuuuck", "***임 *******"},
      {CHATSIEVE_SPACES, {"시발", "개새끼"}, "시 발 개 새 끼", "* * * * *"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Masked(c), c.masked) << c.text;
}

TEST(KoreanOptions, LeaveChatAbbreviationsAndEnglishClean) {
  constexpr uint32_t kAll = CHATSIEVE_KOREAN | CHATSIEVE_SEPARATORS;
  const std::vector<Case> cases = {
      {kAll, {"개새", "자지", "개년"}, "ㄱㅅ ㄳ ㅈㅈ ㄱㄴ?", ""},
      {kAll, {"염병", "애미"}, "ㅇㅇ병원 ㄹㅇ미쳤다", ""},
      {kAll, {"개새", "썅", "년"}, "protocol tidy sus", ""},
      {kAll, {"시발", "자지"}, "몇 시 발표 자 지금", ""},
      {kAll, {"니애미"}, "니애미임", "***임"},
      // The initials of an allowed word hide no listed word's: 졸랐 holds no ㅈㄹ.
      {kAll, {"졸라"}, "졸라매 ㅈㄹ", "졸라매 **", {"졸라매", "졸랐"}},
      {kAll, {"시발"}, "시발점 ㅅ.ㅂ", "시발점 *.*", {"시발점"}},
  };
  for (Case c : cases) {
    if (c.masked.empty()) c.masked = c.text;
    EXPECT_EQ(Masked(c), c.masked) << c.text;
  }
}

// The spaces option joins a one-syllable word to the next only when no syllable touches
// it, so an allowed word covers its text whatever follows it; a listed word is read as
// it stands and is not found inside a longer word (새로운).
TEST(KoreanOptions, AllowWordsWhateverFollowsThem) {
  constexpr uint32_t kAll = CHATSIEVE_KOREAN | CHATSIEVE_SEPARATORS;
  const std::vector<Case> cases = {
      {kAll,
       {"년"},
       "몇 년 전, 몇 년이, 몇 년째 이 년아",
       "몇 년 전, 몇 년이, 몇 년째 이 *아",
       {"몇 년"}},
      {kAll, {"년"}, "이 년 전에 이 년아", "이 년 전에 이 *아", {"이 년 전"}},
      {kAll, {"년"}, "(일, 월, 년)을", "(일, 월, 년)을", {"월, 년"}},
      {kAll, {"개 새"}, "개 새로운 맵, 개 새", "개 새로운 맵, * *"},
  };
  for (const Case& c : cases)
    EXPECT_EQ(Masked(c), c.masked) << c.text;
}

TEST(KoreanOptions, ReportPositionsInTheCallersUnits) {
  const MatchOptions options = MatchOptions::FromBits(CHATSIEVE_KOREAN);
  const auto forbidden = CompileWords(ListOf({"시발"}), options).compiled;
  const auto allowed = CompileWords(ListOf({}), options).compiled;
  std::vector<Occurrence> found;
  FindWords<Utf16>({forbidden->index, allowed->index, options}, u"야 ㅅㅣㅂㅏㄹ tlqkf", found);
  ASSERT_EQ(found.size(), 2u);
  EXPECT_EQ(found[0].begin, 2u);
  EXPECT_EQ(found[0].end, 7u);
  EXPECT_EQ(found[1].begin, 8u);
  EXPECT_EQ(found[1].end, 13u);
}

TEST(KoreanOptions, DeriveABoundedNumberOfForms) {
  std::vector<DerivedForm> forms;
  DeriveForms(U"가나다라마바사아자차카타", MatchOptions::FromBits(CHATSIEVE_KOREAN),
              BuiltinLookalikes(), forms);
  EXPECT_LE(forms.size(), kMaxDerivedForms);
  forms.clear();
  DeriveForms(U"각난닫랄맘밥", MatchOptions::FromBits(CHATSIEVE_KOREAN), BuiltinLookalikes(),
              forms);
  EXPECT_EQ(forms.size(), kMaxDerivedForms);
}

WordList SampleList(const std::string& name) {
  std::ifstream in(std::string(CHATSIEVE_SAMPLE_DATA) + "/" + name, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  WordList words;
  EXPECT_TRUE(ReadWordListText(text.str(), words).problems.empty()) << name;
  return words;
}

// An allowed word that holds no listed word allows nothing: a typo or a stale entry.
TEST(KoreanOptions, EverySampleAllowedWordHoldsAListedWord) {
  const MatchOptions options = MatchOptions::FromBits(CHATSIEVE_KOREAN | CHATSIEVE_SEPARATORS);
  const WordList allowed_words = SampleList("sample-allowed.txt");
  const auto forbidden = CompileWords(SampleList("sample-words.txt"), options).compiled;
  const auto none = CompileWords(WordList(), options).compiled;
  const auto allowed = CompileAllowedWords(allowed_words, options).compiled;
  ASSERT_GT(allowed_words.Size(), 40u);
  for (size_t k = 0; k < allowed_words.Size(); ++k) {
    const std::string_view word = allowed_words[k];
    EXPECT_TRUE(HoldsWord<Utf8>({forbidden->index, none->index, options}, word)) << word;
    EXPECT_FALSE(HoldsWord<Utf8>({forbidden->index, allowed->index, options}, word)) << word;
  }
}

TEST(KoreanOptions, AreNamedAsOperatorsGiveThem) {
  struct Named {
    std::string_view names;
    std::optional<uint32_t> bits;
  };
  const std::vector<Named> cases = {
      {"korean", CHATSIEVE_KOREAN},
      {"width,jamo", CHATSIEVE_WIDTH | CHATSIEVE_JAMO},
      {"korean,separators", CHATSIEVE_KOREAN | CHATSIEVE_SEPARATORS},
      {"spaces", CHATSIEVE_SPACES},
      {"", std::nullopt},
      {"width,", std::nullopt},
      {"Width", std::nullopt},
      {"jamo,fullwidth", std::nullopt},
  };
  for (const Named& c : cases) {
    const std::optional<MatchOptions> options = MatchOptionsFromNames(c.names);
    EXPECT_EQ(options.has_value(), c.bits.has_value()) << c.names;
    if (options && c.bits) {
      EXPECT_EQ(options->Bits(), *c.bits) << c.names;
    }
  }
}

}  // namespace
}  // namespace chatsieve
