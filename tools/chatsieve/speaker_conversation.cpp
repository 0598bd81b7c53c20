#include "speaker_conversation.h"

#include <algorithm>
#include <stdexcept>

#include "text_positions.h"

namespace chatsieve::tool {
namespace {

constexpr size_t kMostBytesPerCodePoint = 4;

}  // namespace

void SpeakerConversation::ScreenWith(std::shared_ptr<const WordGeneration> words) {
  if (words == words_) return;
  conversation_.reset();
  tails_.clear();
  conversation_.emplace(words->filter, limits_);
  words_ = std::move(words);
}

bool SpeakerConversation::Check(std::string_view message, Conversation::Time time) {
  const bool listed = conversation_->Check(message, time);
  Remember(message);
  return listed;
}

std::vector<ConversationMatch> SpeakerConversation::Find(std::string_view message,
                                                         Conversation::Time time) {
  std::vector<ConversationMatch> found = conversation_->Find(message, time);
  Remember(message);
  return found;
}

std::string SpeakerConversation::Mask(std::string_view message, Conversation::Time time,
                                      char32_t mask, MaskStyle style) {
  std::string masked = conversation_->Mask(message, time, mask, style);
  Remember(message);
  return masked;
}

// The conversation remembers at most `characters` code points of the earlier messages, so
// a part in one lies within its last `characters` code points, and so within as many
// times four bytes.
void SpeakerConversation::Remember(std::string_view message) {
  if (tails_.size() > limits_.messages) {
    std::rotate(tails_.begin(), tails_.begin() + 1, tails_.end());
  } else {
    tails_.emplace_back();
  }
  Tail& tail = tails_.back();
  tail.bytes = message.size();
  tail.code_points = CodePointsIn(message);
  tail.last_bytes.assign(message.substr(
      message.size() - std::min(message.size(), limits_.characters * kMostBytesPerCodePoint)));
}

size_t SpeakerConversation::CodePointsBefore(size_t back, size_t offset) const {
  if (back == 0 || back >= tails_.size()) throw std::logic_error("a part in no remembered message");
  const Tail& tail = tails_[tails_.size() - 1 - back];
  const size_t kept_from = tail.bytes - tail.last_bytes.size();
  if (offset < kept_from || offset > tail.bytes)
    throw std::logic_error("a part outside the remembered text");
  return tail.code_points -
         CodePointsIn(std::string_view(tail.last_bytes).substr(offset - kept_from));
}

}  // namespace chatsieve::tool
