// Conversations against the reference: random messages under random readings, joined
// whole with a space between each, must hold the same words ending in the last message.
#include <gtest/gtest.h>

#include <chatsieve/filter.hpp>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "engine/match_options.h"
#include "engine/random_korean_text.h"
#include "reference/reference_korean.h"

namespace chatsieve {
namespace {

const std::u32string kSyllables = U"시발개새끼몇자지병신";
const std::u32string kWordOthers = U"ㅅㅂㄱㅋ1tlqkfA人";
const std::u32string kOthers = kWordOthers + U" .";

using testing::RandomText;
using testing::Utf8Of;

TEST(ConversationDifferentialTest, FindsWhatTheJoinedTextHoldsInTheLastMessage) {
  std::mt19937 random(23);
  const std::u32string all = kSyllables + kOthers;
  for (int round = 0; round < 150; ++round) {
    const uint32_t options =
        std::uniform_int_distribution<uint32_t>(0, MatchOptions::kKnownBits)(random);
    std::vector<std::u32string> words, allowed;
    std::string list, allowed_list;
    for (int w = 0; w < 4; ++w) {
      words.push_back(RandomText(random, w < 3 ? kSyllables : kSyllables + kWordOthers, 3));
      list += Utf8Of(words.back()) + "\n";
    }
    allowed.push_back(RandomText(random, kSyllables, 4) + U"개");
    allowed_list = Utf8Of(allowed.back()) + "\n";
    Filter filter(Options::FromBits(options));
    // The reference knows nothing of entries a load leaves out or merges: it is held
    // against lists loaded whole, the filter on the joined text against every list.
    const bool whole_lists =
        filter.LoadText(list).empty() && filter.LoadText(allowed_list, WordRole::kAllowed).empty();
    // Limits wide enough that nothing is forgotten: the joined text is every message.
    Conversation conversation(filter, {CHATSIEVE_CONVERSATION_MAX_MESSAGES, 1024, {}});
    std::u32string joined;
    std::vector<size_t> starts;  // of each message in `joined`
    for (size_t message = 0; message < 6; ++message) {
      const std::u32string text = RandomText(random, all, 4, 0);
      if (message > 0) joined += U' ';
      starts.push_back(joined.size());
      joined += text;
      std::set<reference::Find> expected;
      for (const Match& m : filter.Find(std::u16string(joined.begin(), joined.end()))) {
        if (m.end > starts.back()) expected.insert({m.begin, m.end, m.word});
      }
      if (whole_lists) {
        std::set<reference::Find> by_reference;
        for (const reference::Find& f : reference::FindKorean(options, words, allowed, joined)) {
          if (std::get<1>(f) > starts.back()) by_reference.insert(f);
        }
        ASSERT_EQ(expected, by_reference)
            << "options " << std::hex << options << " text " << Utf8Of(joined);
      }
      // Every character here is one UTF-16 unit, so units count characters.
      std::set<reference::Find> found;
      for (const ConversationMatch& m :
           conversation.Find(std::u16string(text.begin(), text.end()))) {
        const ConversationPart& first = m.parts.front();
        found.insert(
            {starts[message - first.message] + first.begin, starts.back() + m.end, m.word});
      }
      ASSERT_EQ(found, expected) << "options " << std::hex << options << " text " << Utf8Of(joined);
    }
  }
}

}  // namespace
}  // namespace chatsieve
