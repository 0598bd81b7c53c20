// Conversations through the C interface: each call joins the next message to the
// remembered ones, screens the joined text with the words in force, reports what ends in
// the new message and remembers it; a call that fails remembers nothing.
#include <algorithm>
#include <cstdint>
#include <new>
#include <variant>
#include <vector>

#include "engine/screening.h"
#include "filter/c_interface.h"
#include "filter/conversation_text.h"
#include "text/unicode_text.h"

struct chatsieve_conversation {
  const chatsieve_filter* filter;
  chatsieve::ConversationTextLimits limits;
  // Chosen by the first message's encoding.
  std::variant<std::monostate, chatsieve::ConversationText<chatsieve::Utf8>,
               chatsieve::ConversationText<chatsieve::Utf16>>
      text;
  size_t repeats = 0;
};

namespace chatsieve {
namespace {

// What a thread keeps of the occurrences it found: enough for chat.
constexpr size_t kKeptOccurrences = 1024;

bool ReadLimits(const chatsieve_conversation_options* options, ConversationTextLimits& limits) {
  if (options == nullptr) return true;
  if (options->size != sizeof(chatsieve_conversation_options)) return false;
  if (options->messages > CHATSIEVE_CONVERSATION_MAX_MESSAGES ||
      options->characters > CHATSIEVE_CONVERSATION_MAX_CHARACTERS || options->window_ms < 0) {
    return false;
  }
  if (options->messages > 0) limits.messages = options->messages;
  if (options->characters > 0) limits.characters = options->characters;
  limits.window_ms = options->window_ms;
  return true;
}

// The conversation's text in `Encoding`, made on its first message; null when its
// messages came in the other encoding.
template <typename Encoding>
ConversationText<Encoding>* TextIn(chatsieve_conversation& conversation) {
  if (std::holds_alternative<std::monostate>(conversation.text))
    conversation.text.emplace<ConversationText<Encoding>>(conversation.limits);
  return std::get_if<ConversationText<Encoding>>(&conversation.text);
}

// Joins the message, runs `screen(words, snapshot, text, read_hash)` and remembers the message
// unless the result is a failure.
template <typename Encoding, typename Unit, typename Screen>
int ScreenNext(chatsieve_conversation* conversation, const Unit* message, size_t length,
               int64_t time_ms, Screen screen) {
  Text<Encoding> view;
  if (const int problem = ReadText<Encoding>(message, length, view)) return problem;
  return Guarded([&] {
    ConversationText<Encoding>* text = TextIn<Encoding>(*conversation);
    if (text == nullptr) return CHATSIEVE_E_ARGUMENT;
    const chatsieve_filter& filter = *conversation->filter;
    const FilterState::Reading snapshot(filter.state);
    const ScreeningWords words = snapshot->Words(filter.state.MatchingOptions());
    text->Join(view, time_ms);
    uint64_t read_hash = 0;
    int result = 0;
    try {
      result = screen(words, *snapshot, *text, read_hash);
      if (result >= 0) conversation->repeats = text->Remember(read_hash);
    } catch (...) {
      text->Withdraw();
      throw;
    }
    if (result < 0) text->Withdraw();
    return result;
  });
}

// The occurrences of the joined text that end in the new message, into a thread's buffer,
// and the new message's read hash from the same reading.
template <typename Encoding>
const std::vector<Occurrence>& FindEnding(const ScreeningWords& words,
                                          const ConversationText<Encoding>& text,
                                          uint64_t& read_hash) {
  thread_local std::vector<Occurrence> found;
  if (found.capacity() > kKeptOccurrences) std::vector<Occurrence>().swap(found);
  read_hash = FindWordsAndReadHash<Encoding>(words, text.Joined(), text.MessageStart(), found);
  const size_t start = text.MessageStart();
  found.erase(std::remove_if(found.begin(), found.end(),
                             [&](const Occurrence& o) { return o.end <= start; }),
              found.end());
  return found;
}

template <typename Encoding, typename Unit>
int Check(chatsieve_conversation* conversation, const Unit* message, size_t length,
          int64_t time_ms) {
  if (conversation == nullptr) return CHATSIEVE_E_NULL;
  return ScreenNext<Encoding>(conversation, message, length, time_ms,
                              [](const ScreeningWords& words, const Snapshot&,
                                 const ConversationText<Encoding>& text, uint64_t& read_hash) {
                                return FindEnding<Encoding>(words, text, read_hash).empty()
                                           ? CHATSIEVE_OK
                                           : CHATSIEVE_FOUND;
                              });
}

template <typename Encoding, typename Unit>
int Find(chatsieve_conversation* conversation, const Unit* message, size_t length, int64_t time_ms,
         chatsieve_conversation_match* matches, size_t capacity, size_t* count) {
  if (conversation == nullptr || count == nullptr || (matches == nullptr && capacity > 0))
    return CHATSIEVE_E_NULL;
  return ScreenNext<Encoding>(
      conversation, message, length, time_ms,
      [&](const ScreeningWords& words, const Snapshot& snapshot,
          const ConversationText<Encoding>& text, uint64_t& read_hash) {
        const std::vector<Occurrence>& found = FindEnding<Encoding>(words, text, read_hash);
        *count = found.size();
        if (found.size() > capacity) return CHATSIEVE_E_SPACE;
        for (size_t k = 0; k < found.size(); ++k) {
          chatsieve_conversation_match& match = matches[k];
          match.part_count = text.PartsOf(found[k], match.parts);
          const chatsieve_conversation_part& last = match.parts[match.part_count - 1];
          const Occurrence in_message{last.begin, last.end, found[k].word};
          match.details = MatchOf<chatsieve_match_details>(in_message, snapshot.forbidden->words);
        }
        return found.empty() ? CHATSIEVE_OK : CHATSIEVE_FOUND;
      });
}

template <typename Encoding, typename Unit>
int Mask(chatsieve_conversation* conversation, const Unit* message, size_t length, int64_t time_ms,
         uint32_t mask, Unit* out, size_t capacity, size_t* out_length) {
  if (conversation == nullptr || out_length == nullptr || (out == nullptr && capacity > 0))
    return CHATSIEVE_E_NULL;
  char32_t code_point = 0;
  MatchMaskStyle style = MatchMaskStyle::kWhole;
  if (!ReadMask(mask, code_point, style)) return CHATSIEVE_E_ARGUMENT;
  return ScreenNext<Encoding>(
      conversation, message, length, time_ms,
      [&](const ScreeningWords& words, const Snapshot&, const ConversationText<Encoding>& text,
          uint64_t& read_hash) {
        read_hash = ReadHash<Encoding>(words, text.Joined(), text.MessageStart());
        return MaskInto<Encoding>(words, text.Joined(), code_point, style, out, capacity,
                                  out_length, text.MessageStart());
      });
}

}  // namespace
}  // namespace chatsieve

using chatsieve::Utf16;
using chatsieve::Utf8;

extern "C" {

chatsieve_conversation* chatsieve_conversation_new(const chatsieve_filter* filter,
                                                   const chatsieve_conversation_options* options) {
  chatsieve::ConversationTextLimits limits;
  if (filter == nullptr || !chatsieve::ReadLimits(options, limits)) return nullptr;
  return new (std::nothrow) chatsieve_conversation{filter, limits, {}, 0};
}

void chatsieve_conversation_free(chatsieve_conversation* conversation) {
  delete conversation;
}

void chatsieve_conversation_forget(chatsieve_conversation* conversation) {
  if (conversation == nullptr) return;
  conversation->text = std::monostate();
  conversation->repeats = 0;
}

int chatsieve_conversation_check(chatsieve_conversation* conversation, const char* text,
                                 size_t length, int64_t time_ms) {
  return chatsieve::Check<Utf8>(conversation, text, length, time_ms);
}

int chatsieve_conversation_check16(chatsieve_conversation* conversation, const uint16_t* text,
                                   size_t length, int64_t time_ms) {
  return chatsieve::Check<Utf16>(conversation, text, length, time_ms);
}

int chatsieve_conversation_find(chatsieve_conversation* conversation, const char* text,
                                size_t length, int64_t time_ms,
                                chatsieve_conversation_match* matches, size_t capacity,
                                size_t* count) {
  return chatsieve::Find<Utf8>(conversation, text, length, time_ms, matches, capacity, count);
}

int chatsieve_conversation_find16(chatsieve_conversation* conversation, const uint16_t* text,
                                  size_t length, int64_t time_ms,
                                  chatsieve_conversation_match* matches, size_t capacity,
                                  size_t* count) {
  return chatsieve::Find<Utf16>(conversation, text, length, time_ms, matches, capacity, count);
}

int chatsieve_conversation_mask(chatsieve_conversation* conversation, const char* text,
                                size_t length, int64_t time_ms, uint32_t mask, char* out,
                                size_t capacity, size_t* out_length) {
  return chatsieve::Mask<Utf8>(conversation, text, length, time_ms, mask, out, capacity,
                               out_length);
}

int chatsieve_conversation_mask16(chatsieve_conversation* conversation, const uint16_t* text,
                                  size_t length, int64_t time_ms, uint32_t mask, uint16_t* out,
                                  size_t capacity, size_t* out_length) {
  return chatsieve::Mask<Utf16>(conversation, text, length, time_ms, mask, out, capacity,
                                out_length);
}

size_t chatsieve_conversation_repeats(const chatsieve_conversation* conversation) {
  return conversation != nullptr ? conversation->repeats : 0;
}

size_t chatsieve_conversation_memory(const chatsieve_conversation* conversation) {
  if (conversation == nullptr) return 0;
  return sizeof(chatsieve_conversation) +
         std::visit(
             [](const auto& text) -> size_t {
               if constexpr (std::is_same_v<std::decay_t<decltype(text)>, std::monostate>) {
                 return 0;
               } else {
                 return text.Memory();
               }
             },
             conversation->text);
}

}  // extern "C"
