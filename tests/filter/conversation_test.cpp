// Conversations: words sent in pieces across a speaker's messages, as the readings join
// them in one text, the limits that forget messages, repeats, and reloads.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <chatsieve/filter.hpp>
#include <string>
#include <vector>

namespace chatsieve {
namespace {

using std::chrono::milliseconds;

// The messages joined as a conversation joins them.
std::string Joined(const std::vector<std::string>& messages) {
  std::string joined;
  for (size_t k = 0; k < messages.size(); ++k)
    joined += (k > 0 ? " " : "") + messages[k];
  return joined;
}

struct PiecesCase {
  const char* name;
  std::vector<std::string> messages;
  bool found;        // in the last message
  size_t parts = 0;  // messages the word spans, when found
};

// The Korean filter: each sequence is found in its last message exactly when the messages
// as one text hold the word there.
TEST(ConversationTest, JoinsPiecesAsTheReadingsJoinOneText) {
  const Filter filter = Filter::Korean();
  const std::vector<PiecesCase> cases = {
      {"syllables", {"시", "발"}, true, 2},
      {"three lines", {"개", "새", "끼"}, true, 2},  // 새끼; 개새 ended in the second
      {"initials stay apart as in ㅅ ㅂ", {"ㅅ", "ㅂ"}, false},
      {"a digit stays apart as in 시 1발", {"시", "1발"}, false},
      {"as in 시1 발", {"시1", "발"}, false},
      {"separators between", {"시..", "..발"}, true, 2},
      {"longer words stay apart", {"몇 시", "발표 시작"}, false},
      {"clean chat", {"안녕", "하세요"}, false},
      {"wholly in the new message", {"안녕", "시발"}, true, 1},
      {"wholly in an earlier message", {"시발", "안녕"}, false},
  };
  for (const PiecesCase& c : cases) {
    Conversation conversation(filter);
    std::vector<ConversationMatch> found;
    for (const std::string& message : c.messages)
      found = conversation.Find(message);
    EXPECT_EQ(!found.empty(), c.found) << c.name;
    const std::vector<Match> whole = filter.Find(Joined(c.messages));
    const size_t last_start = Joined(c.messages).size() - c.messages.back().size();
    EXPECT_EQ(!found.empty(), std::any_of(whole.begin(), whole.end(), [&](const Match& m) {
      return m.end > last_start;
    })) << c.name;
    if (c.found && !found.empty()) {
      const ConversationMatch& longest = *std::max_element(
          found.begin(), found.end(), [](const ConversationMatch& a, const ConversationMatch& b) {
            return a.parts.size() < b.parts.size();
          });
      EXPECT_EQ(longest.parts.size(), c.parts) << c.name;
      EXPECT_EQ(longest.parts.back().message, 0u) << c.name;
      EXPECT_EQ(longest.end, c.messages.back().size()) << c.name;
    }
  }
}

// One-syllable pieces join across the spaces between messages under the spaces reading.
Filter PiecesFilter() {
  Filter filter(Option::kSpaces | Option::kSeparators);
  filter.LoadText("가나다\n나다라\t\t2\tstart\n");
  return filter;
}

TEST(ConversationTest, PartsSayWhichMessagesAndWhere) {
  const Filter filter = PiecesFilter();
  Conversation conversation(filter);
  conversation.Check("하하 가");
  conversation.Check("나");
  const std::vector<ConversationMatch> found = conversation.Find("다!");
  ASSERT_EQ(found.size(), 1u);
  EXPECT_EQ(found[0].begin, 0u);
  EXPECT_EQ(found[0].end, 3u);
  ASSERT_EQ(found[0].parts.size(), 3u);
  EXPECT_EQ(found[0].parts[0].message, 2u);
  EXPECT_EQ(found[0].parts[0].begin, 7u);
  EXPECT_EQ(found[0].parts[0].end, 10u);
  EXPECT_EQ(found[0].parts[1].message, 1u);
  EXPECT_EQ(found[0].parts[2].message, 0u);
  conversation.Forget();
  conversation.Check("가");
  EXPECT_EQ(conversation.Mask("나 다!"), "* *!");
  conversation.Forget();
  conversation.Check(u"가");
  conversation.Check(u"나");
  EXPECT_EQ(conversation.Mask(u"다 ", {}, U'#'), u"# ");
}

struct LimitsCase {
  const char* name;
  ConversationLimits limits;
  std::vector<std::pair<std::string, int64_t>> messages;  // text, time in ms
  bool found;
};

// 나다라 counts only at a word's start, so that a tail cut anywhere but just after a
// space would make one of 가나 다 라.
TEST(ConversationTest, LimitsForgetMessagesAndNeverCutIntoAWord) {
  const Filter filter = PiecesFilter();
  const std::vector<LimitsCase> cases = {
      {"within the window", {0, 0, milliseconds(5000)}, {{"가", 0}, {"나 다", 4000}}, true},
      {"past the window", {0, 0, milliseconds(5000)}, {{"가", 0}, {"나 다", 6000}}, false},
      {"no window", {}, {{"가", 0}, {"나 다", 600000}}, true},
      {"times far apart",
       {0, 0, milliseconds(5000)},
       {{"가", INT64_MIN}, {"나 다", INT64_MAX}},
       false},
      {"one message back", {1, 0, {}}, {{"가", 0}, {"나", 0}, {"다", 0}}, false},
      {"two messages back", {2, 0, {}}, {{"가", 0}, {"나", 0}, {"다", 0}}, true},
      {"past the characters", {0, 1, {}}, {{"가", 0}, {"나", 0}, {"다", 0}}, false},
      {"within the characters", {0, 2, {}}, {{"가", 0}, {"나", 0}, {"다", 0}}, true},
      {"a cut mid-word keeps nothing", {0, 2, {}}, {{"가나", 0}, {"다", 0}, {"라", 0}}, false},
      {"a cut after a space", {0, 2, {}}, {{"하 나", 0}, {"다", 0}, {"라", 0}}, true},
      {"a long message cut", {0, 3, {}}, {{"하하하 가 나", 0}, {"다", 0}}, true},
  };
  for (const LimitsCase& c : cases) {
    Conversation conversation(filter, c.limits);
    bool found = false;
    for (const auto& [text, time] : c.messages)
      found = conversation.Check(text, milliseconds(time));
    EXPECT_EQ(found, c.found) << c.name;
  }
}

struct RepeatsCase {
  std::vector<std::string> messages;
  size_t repeats;  // of the last message
};

TEST(ConversationTest, RepeatsAreToldAfterTheReadingWithRunLengthsKept) {
  const Filter filter = Filter::Korean();
  const std::vector<RepeatsCase> cases = {
      {{"ㅋㅋㅋ", "ㅋㅋㅋㅋ"}, 0},    {{"도배", "도배"}, 1}, {{"도배", "도 배"}, 1},
      {{"Hello", "hello"}, 1},        {{"ｈｉ", "hi"}, 1},   {{"a", "b", "a", "a"}, 2},
      {{"a", "b", "c", "d", "a"}, 0}, {{"안녕"}, 0},
  };
  for (const RepeatsCase& c : cases) {
    Conversation conversation(filter);
    for (const std::string& message : c.messages)
      conversation.Check(message);
    EXPECT_EQ(conversation.Repeats(), c.repeats) << c.messages.back();
  }
}

TEST(ConversationTest, FailedCallsRememberNothingAndReloadsTakeEffect) {
  Filter filter = PiecesFilter();
  Conversation conversation(filter);
  conversation.Check("가");
  // A call short of room remembers nothing: the next one sees the same history.
  chatsieve_conversation_match matches[1];
  size_t count = 0;
  chatsieve_conversation* handle = chatsieve_conversation_new(filter.Handle(), nullptr);
  ASSERT_NE(handle, nullptr);
  EXPECT_EQ(chatsieve_conversation_check(handle, "가 나", 7, 0), CHATSIEVE_OK);
  EXPECT_EQ(chatsieve_conversation_find(handle, "다", 3, 0, matches, 0, &count), CHATSIEVE_E_SPACE);
  EXPECT_EQ(count, 1u);
  EXPECT_EQ(chatsieve_conversation_find(handle, "다", 3, 0, matches, 1, &count), CHATSIEVE_FOUND);
  EXPECT_EQ(matches[0].part_count, 2u);
  const uint16_t kUnitB[] = {u'b'};
  EXPECT_EQ(chatsieve_conversation_repeats(handle), 0u);
  EXPECT_EQ(chatsieve_conversation_check16(handle, kUnitB, 1, 0), CHATSIEVE_E_ARGUMENT);
  chatsieve_conversation_options options{sizeof options, CHATSIEVE_CONVERSATION_MAX_MESSAGES + 1, 0,
                                         0};
  EXPECT_EQ(chatsieve_conversation_new(filter.Handle(), &options), nullptr);
  EXPECT_EQ(chatsieve_conversation_check(nullptr, "a", 1, 0), CHATSIEVE_E_NULL);
  chatsieve_conversation_free(handle);

  filter.LoadText("가하\n");
  EXPECT_TRUE(conversation.Check("하"));
}

}  // namespace
}  // namespace chatsieve
