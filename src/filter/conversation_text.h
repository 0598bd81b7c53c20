// What a conversation remembers of one speaker's messages, joined with the next message
// into one text with a space between each, so that a word sent in pieces reads as one.
//
// Only the tails of the latest messages are kept, within limits of messages, code points
// and time. A tail is cut only just after a space: a text read from there reads as it
// does within the whole message, so a cut never makes a word begin where the message
// holds none (아시 cut to 시 would join 발 into a word that 아시 발 does not hold). The
// remembered tails are always a suffix of the messages, so forgetting is cutting a
// prefix off the joined text.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "chatsieve/filter.h"
#include "engine/screening.h"

namespace chatsieve {

struct ConversationTextLimits {
  size_t messages = 3;     // earlier messages a new one is joined with and compared to
  size_t characters = 12;  // code points of their text remembered
  int64_t window_ms = 0;   // 0: no window
};

template <typename Encoding>
class ConversationText {
 public:
  using Unit = typename Encoding::Unit;
  using Text = std::basic_string_view<Unit>;

  // Reserves room for the remembered text and a chat-sized message.
  explicit ConversationText(const ConversationTextLimits& limits);

  // Forgets messages too old for `time_ms`, then puts `message` after the remembered
  // tails: Joined() ends with it. Does not allocate for a chat-sized message.
  void Join(Text message, int64_t time_ms);
  // Takes the message last joined back out, as if it had not been given.
  void Withdraw();
  // Keeps the message last joined among the remembered ones, with the hash of its read
  // form; returns how many of the remembered ones before it have the same hash.
  size_t Remember(uint64_t read_hash);

  Text Joined() const { return joined_; }
  size_t MessageStart() const { return message_start_; }
  // The messages an occurrence of the joined text that ends in the new message spans,
  // earliest first, into `parts`; returns how many.
  size_t PartsOf(const Occurrence& found, chatsieve_conversation_part* parts) const;
  size_t Memory() const;

 private:
  struct Remembered {
    size_t offset;      // where its tail starts in the message, in units
    size_t units;       // the tail's length
    size_t characters;  // and in code points
    int64_t time_ms;
    uint64_t read_hash;
    bool joined;  // whether its tail is in the joined text; those that are come last
  };

  // Forgets the remembered messages before `first`.
  void DropBefore(size_t first);
  // Keeps at most limits_.characters code points of text, cutting the oldest tail that
  // overflows just after a space and dropping the text of those before it.
  void KeepCharacters();
  // The index of the first remembered message whose tail is in the joined text.
  size_t FirstJoined() const;

  ConversationTextLimits limits_;
  size_t reserved_;
  std::basic_string<Unit> joined_;
  std::vector<Remembered> remembered_;
  size_t message_start_ = 0;
  size_t message_characters_ = 0;
  int64_t message_time_ = 0;
  bool message_joined_ = false;  // whether a separator precedes the new message
};

}  // namespace chatsieve
