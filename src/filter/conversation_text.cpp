#include "filter/conversation_text.h"

#include <algorithm>
#include <type_traits>

#include "text/unicode_text.h"

namespace chatsieve {
namespace {

// Room kept beside the remembered text for the message being screened.
constexpr size_t kChatCharacters = 100;

template <typename Encoding>
size_t UnitsPerCharacter() {
  // Hangul takes three bytes in UTF-8 and one unit in UTF-16.
  return sizeof(typename Encoding::Unit) == 1 ? 3 : 1;
}

// Limits count characters by the units that begin one, alike everywhere, so that a pass
// over a message is a count, not a decoding.
template <typename Encoding>
size_t CountCharacters(const typename Encoding::Unit* begin, const typename Encoding::Unit* end) {
  size_t characters = 0;
  for (const typename Encoding::Unit* unit = begin; unit != end; ++unit)
    characters += Encoding::BeginsCharacter(*unit) ? 1 : 0;
  return characters;
}

// The end of the space that begins at `at`, or `at` when none does there.
template <typename Encoding>
size_t AfterSpace(std::basic_string_view<typename Encoding::Unit> text, size_t at) {
  using Unsigned = std::make_unsigned_t<typename Encoding::Unit>;
  const char32_t unit = static_cast<Unsigned>(text[at]);
  if (unit == U' ' || unit == U'\t' || unit == U'\n' || unit == U'\r') return at + 1;
  if constexpr (sizeof(Unsigned) == 2) {
    return unit == 0x3000 ? at + 1 : at;
  } else {
    // U+3000, the ideographic space, is E3 80 80.
    const bool ideographic = unit == 0xE3 && text.size() - at >= 3 &&
                             static_cast<Unsigned>(text[at + 1]) == 0x80 &&
                             static_cast<Unsigned>(text[at + 2]) == 0x80;
    return ideographic ? at + 3 : at;
  }
}

}  // namespace

template <typename Encoding>
ConversationText<Encoding>::ConversationText(const ConversationTextLimits& limits)
    : limits_(limits),
      reserved_((limits.characters + kChatCharacters) * UnitsPerCharacter<Encoding>() +
                limits.messages) {
  joined_.reserve(reserved_);
  remembered_.reserve(limits.messages + 1);
}

template <typename Encoding>
size_t ConversationText<Encoding>::FirstJoined() const {
  size_t first = remembered_.size();
  while (first > 0 && remembered_[first - 1].joined)
    --first;
  return first;
}

template <typename Encoding>
void ConversationText<Encoding>::DropBefore(size_t first) {
  size_t cut = 0;
  for (size_t k = 0; k < first; ++k) {
    if (remembered_[k].joined) cut += remembered_[k].units + 1;
  }
  joined_.erase(0, std::min(cut, joined_.size()));
  remembered_.erase(remembered_.begin(), remembered_.begin() + static_cast<ptrdiff_t>(first));
}

template <typename Encoding>
void ConversationText<Encoding>::Join(Text message, int64_t time_ms) {
  if (limits_.window_ms > 0) {
    // Everything up to the last message outside the window goes, in the order given.
    size_t first = 0;
    for (size_t k = 0; k < remembered_.size(); ++k) {
      // Told apart as unsigned: two times far apart overflow a signed difference.
      if (time_ms > remembered_[k].time_ms &&
          static_cast<uint64_t>(time_ms) - static_cast<uint64_t>(remembered_[k].time_ms) >
              static_cast<uint64_t>(limits_.window_ms))
        first = k + 1;
    }
    DropBefore(first);
  }
  message_joined_ = FirstJoined() < remembered_.size();
  if (message_joined_) joined_.push_back(Unit{' '});
  message_start_ = joined_.size();
  joined_.append(message);
  message_time_ = time_ms;
}

template <typename Encoding>
void ConversationText<Encoding>::Withdraw() {
  joined_.resize(message_start_ - (message_joined_ ? 1 : 0));
}

template <typename Encoding>
size_t ConversationText<Encoding>::Remember(uint64_t read_hash) {
  const size_t repeats = static_cast<size_t>(
      std::count_if(remembered_.begin(), remembered_.end(),
                    [&](const Remembered& earlier) { return earlier.read_hash == read_hash; }));
  const Text message = Text(joined_).substr(message_start_);
  remembered_.push_back({0, message.size(),
                         CountCharacters<Encoding>(message.data(), message.data() + message.size()),
                         message_time_, read_hash, true});
  if (remembered_.size() > limits_.messages) DropBefore(remembered_.size() - limits_.messages);
  KeepCharacters();
  if (joined_.capacity() > 4 * reserved_) {
    // A long message is not worth its room for the ones after it.
    std::basic_string<Unit> kept;
    kept.reserve(std::max(reserved_, joined_.size()));
    kept = joined_;
    joined_.swap(kept);
  }
  return repeats;
}

template <typename Encoding>
void ConversationText<Encoding>::KeepCharacters() {
  size_t budget = limits_.characters;
  size_t end = joined_.size();
  size_t first = remembered_.size();  // the first message whose text is kept
  size_t keep_from = joined_.size();  // and where that text starts
  for (size_t k = remembered_.size(); k > 0 && remembered_[k - 1].joined; --k) {
    Remembered& message = remembered_[k - 1];
    const size_t start = end - message.units;
    if (message.characters <= budget) {
      budget -= message.characters;
      first = k - 1;
      keep_from = start;
      if (start > 0) end = start - 1;  // the separator before it
      continue;
    }
    // The longest tail that fits and follows a space: back over the characters, taking
    // each space met while what follows it fits.
    const Text text(joined_.data(), end);
    size_t from = end, kept = 0, counted = 0;
    for (size_t at = end; at > start;) {
      if (!Encoding::BeginsCharacter(joined_[--at])) continue;
      if (counted > budget) break;
      const size_t after = AfterSpace<Encoding>(text, at);
      if (after != at) {
        from = after;
        kept = counted;
      }
      ++counted;
    }
    message.offset += from - start;
    message.units = end - from;
    message.characters = kept;
    if (message.units > 0) {
      first = k - 1;
      keep_from = from;
    }
    break;
  }
  for (size_t k = 0; k < first; ++k)
    remembered_[k].joined = false;
  joined_.erase(0, keep_from);
}

template <typename Encoding>
size_t ConversationText<Encoding>::PartsOf(const Occurrence& found,
                                           chatsieve_conversation_part* parts) const {
  size_t count = 0;
  size_t at = 0;
  bool begun = false;
  for (size_t k = FirstJoined(); k < remembered_.size(); ++k) {
    const Remembered& message = remembered_[k];
    const size_t end = at + message.units;
    if (!begun && found.begin < end) {
      begun = true;
      parts[count++] = {remembered_.size() - k, message.offset + (found.begin - at),
                        message.offset + message.units};
    } else if (begun && message.units > 0) {
      parts[count++] = {remembered_.size() - k, message.offset, message.offset + message.units};
    }
    at = end + 1;
  }
  parts[count++] = {0, found.begin > message_start_ ? found.begin - message_start_ : 0,
                    found.end - message_start_};
  return count;
}

template <typename Encoding>
size_t ConversationText<Encoding>::Memory() const {
  return joined_.capacity() * sizeof(Unit) + remembered_.capacity() * sizeof(Remembered);
}

template class ConversationText<Utf8>;
template class ConversationText<Utf16>;

}  // namespace chatsieve
