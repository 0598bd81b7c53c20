#include "filter/conversation_text.h"

#include <algorithm>

#include "matching/char_preparation.h"
#include "matching/unicode_text.h"

namespace chatsieve {
namespace {

// Room kept beside the remembered text for the message being screened.
constexpr size_t kChatCharacters = 100;

template <typename Encoding>
size_t UnitsPerCharacter() {
  // Hangul takes three bytes in UTF-8 and one unit in UTF-16.
  return sizeof(typename Encoding::Unit) == 1 ? 3 : 1;
}

bool IsSpace(char32_t code_point) {
  return code_point == U' ' || code_point == U'\t' || code_point == U'\n' || code_point == U'\r' ||
         code_point == 0x3000;
}

template <typename Encoding>
size_t CountCharacters(std::basic_string_view<typename Encoding::Unit> text) {
  size_t characters = 0;
  for (size_t at = 0; at < text.size(); ++characters)
    at += Encoding::Decode(text.data() + at, text.size() - at).units;
  return characters;
}

}  // namespace

template <typename Encoding>
ConversationText<Encoding>::ConversationText(const ConversationLimits& limits)
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
      if (time_ms > remembered_[k].time_ms && time_ms - remembered_[k].time_ms > limits_.window_ms)
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
  remembered_.push_back(
      {0, message.size(), CountCharacters<Encoding>(message), message_time_, read_hash, true});
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
    // Past the characters that do not fit, then on to just after a space.
    size_t from = start, skipped = 0;
    bool after_space = false;
    while (from < end && (skipped < message.characters - budget || !after_space)) {
      const DecodedChar decoded = Encoding::Decode(joined_.data() + from, end - from);
      from += decoded.units;
      after_space = IsSpace(decoded.code_point);
      ++skipped;
    }
    message.offset += from - start;
    message.units = end - from;
    message.characters -= skipped;
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

template <typename Encoding>
uint64_t ReadHash(const ScreeningWords& words,
                  std::basic_string_view<typename Encoding::Unit> text) {
  thread_local TextChars chars;
  const MatchOptions unshortened =
      MatchOptions::FromBits(words.options.Bits() & ~static_cast<uint32_t>(MatchOption::kRepeats));
  ReadPreparedChars<Encoding>(unshortened, *words.lookalikes, text, chars);
  uint64_t hash = 0xcbf29ce484222325u;  // FNV-1a
  for (const TextChar& c : chars) {
    hash = (hash ^ c.code_point) * 0x100000001b3u;
  }
  if (chars.capacity() > 4096) TextChars().swap(chars);
  return hash;
}

template class ConversationText<Utf8>;
template class ConversationText<Utf16>;
template uint64_t ReadHash<Utf8>(const ScreeningWords&, std::string_view);
template uint64_t ReadHash<Utf16>(const ScreeningWords&, std::u16string_view);

}  // namespace chatsieve
