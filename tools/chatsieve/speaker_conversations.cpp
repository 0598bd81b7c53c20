#include "speaker_conversations.h"

namespace chatsieve::tool {

SpeakerConversations::Lease SpeakerConversations::Use(std::string_view speaker,
                                                      Clock::time_point now) {
  // The lease waits for the conversation's lock after the table's is released.
  return Lease(Find(speaker, now));
}

std::shared_ptr<SpeakerConversations::Entry> SpeakerConversations::Find(std::string_view speaker,
                                                                        Clock::time_point now) {
  const std::lock_guard lock(table_);
  while (!recent_.empty() && now - recent_.back().used >= settings_.idle) {
    DropLeastRecent();
    expired_.fetch_add(1, std::memory_order_relaxed);
  }
  if (const auto found = by_speaker_.find(speaker); found != by_speaker_.end()) {
    recent_.splice(recent_.begin(), recent_, found->second);
    recent_.front().used = now;
    return recent_.front().entry;
  }
  if (recent_.size() >= settings_.most) {
    DropLeastRecent();
    evicted_for_room_.fetch_add(1, std::memory_order_relaxed);
  }
  recent_.push_front({std::string(speaker), now, std::make_shared<Entry>(settings_.limits)});
  try {
    by_speaker_.emplace(recent_.front().speaker, recent_.begin());
  } catch (...) {
    recent_.pop_front();
    throw;
  }
  return recent_.front().entry;
}

void SpeakerConversations::DropLeastRecent() {
  by_speaker_.erase(recent_.back().speaker);
  recent_.pop_back();
}

ConversationGauges SpeakerConversations::Gauges() const {
  const std::lock_guard lock(table_);
  return {recent_.size(), evicted_for_room_.load(std::memory_order_relaxed),
          expired_.load(std::memory_order_relaxed)};
}

}  // namespace chatsieve::tool
