// One speaker's conversation in the service: a Conversation over the words in force, and
// the tails of the speaker's last messages, from which a word's parts in earlier messages
// are told in code points, as every position the service answers with is.
#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chatsieve/filter.hpp"
#include "word_generations.h"

namespace chatsieve::tool {

class SpeakerConversation {
 public:
  explicit SpeakerConversation(const ConversationLimits& limits) : limits_(limits) {}

  // Screens the next messages with `words`. A reload builds a new filter, and a
  // conversation cannot move to another, so new words start the conversation afresh: a
  // word sent in pieces across a reload is missed once.
  void ScreenWith(std::shared_ptr<const WordGeneration> words);
  // The words screened with; ScreenWith comes first.
  const WordGeneration& Words() const { return *words_; }

  // The Conversation's calls for the next message, which is then remembered.
  bool Check(std::string_view message, Conversation::Time time);
  std::vector<ConversationMatch> Find(std::string_view message, Conversation::Time time);
  std::string Mask(std::string_view message, Conversation::Time time, char32_t mask,
                   MaskStyle style);
  size_t Repeats() const { return conversation_->Repeats(); }

  // The code points before byte `offset` of the message `back` messages before the last
  // one, 1 or more: the start or end of a part found in it.
  size_t CodePointsBefore(size_t back, size_t offset) const;

 private:
  // A message's length, and as many of its last bytes as the conversation may remember.
  struct Tail {
    size_t bytes = 0;
    size_t code_points = 0;
    std::string last_bytes;
  };

  void Remember(std::string_view message);

  const ConversationLimits limits_;
  // Declared before the conversation, which must go before the filter it screens with.
  std::shared_ptr<const WordGeneration> words_;
  std::optional<Conversation> conversation_;
  std::vector<Tail> tails_;  // the last message last
};

}  // namespace chatsieve::tool
