// The conversations of the speakers the service has heard from lately, for requests with
// a "speaker": at most so many, the least recently used dropped for a new speaker, and
// any unused for the idle time dropped as the table is next used. The table's lock is
// held only to find, add or drop an entry; a conversation has a lock of its own, held
// while one request screens with it, so that a speaker's messages are screened one at a
// time and other speakers' meanwhile.
#pragma once

#include <atomic>
#include <cstdint>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>

#include "client_connection.h"
#include "serve_settings.h"
#include "speaker_conversation.h"

namespace chatsieve::tool {

struct ConversationGauges {
  size_t held = 0;
  uint64_t evicted_for_room = 0;
  uint64_t expired = 0;
};

class SpeakerConversations {
  struct Entry {
    explicit Entry(const ConversationLimits& limits) : conversation(limits) {}
    std::mutex in_use;
    SpeakerConversation conversation;
  };

 public:
  // A speaker's conversation, for the holder alone while it lives.
  class Lease {
   public:
    SpeakerConversation& operator*() const { return entry_->conversation; }
    SpeakerConversation* operator->() const { return &entry_->conversation; }

   private:
    friend class SpeakerConversations;
    explicit Lease(std::shared_ptr<Entry> entry)
        : entry_(std::move(entry)), lock_(entry_->in_use) {}

    // An entry dropped from the table while leased lives on until the lease goes.
    std::shared_ptr<Entry> entry_;
    std::unique_lock<std::mutex> lock_;
  };

  explicit SpeakerConversations(const ConversationTableSettings& settings) : settings_(settings) {}

  // The conversation of `speaker`, new if the table holds none, waiting while another
  // request screens with it.
  Lease Use(std::string_view speaker, Clock::time_point now);

  ConversationGauges Gauges() const;

 private:
  struct Slot {
    std::string speaker;
    Clock::time_point used;
    std::shared_ptr<Entry> entry;
  };
  using Recent = std::list<Slot>;  // the most recently used first

  std::shared_ptr<Entry> Find(std::string_view speaker, Clock::time_point now);
  void DropLeastRecent();

  const ConversationTableSettings settings_;
  mutable std::mutex table_;
  Recent recent_;
  // Keys view the speakers held in `recent_`, whose nodes never move.
  std::unordered_map<std::string_view, Recent::iterator> by_speaker_;
  std::atomic<uint64_t> evicted_for_room_{0};
  std::atomic<uint64_t> expired_{0};
};

}  // namespace chatsieve::tool
