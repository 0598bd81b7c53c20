#include "connection_table.h"

#include <sys/epoll.h>

namespace chatsieve::tool {

bool ConnectionTable::Add(std::unique_ptr<ClientConnection> connection,
                          Clock::time_point deadline) {
  const std::lock_guard lock(mutex_);
  if (entries_.size() >= limit_) {
    if (deadlines_.empty()) return false;
    CloseNearestDeadline();
  }
  const uint64_t id = next_id_++;
  if (!Watch(id, *connection, true)) return false;
  deadlines_.emplace(deadline, id);
  entries_.emplace(id, Entry{std::move(connection), deadline});
  return true;
}

std::unique_ptr<ClientConnection> ConnectionTable::Take(uint64_t id) {
  const std::lock_guard lock(mutex_);
  const auto entry = entries_.find(id);
  if (entry == entries_.end()) return nullptr;
  return Unpark(entry);
}

std::pair<uint64_t, std::unique_ptr<ClientConnection>> ConnectionTable::TakeAny() {
  const std::lock_guard lock(mutex_);
  if (deadlines_.empty()) return {0, nullptr};
  const uint64_t id = deadlines_.begin()->second;
  return {id, Unpark(entries_.find(id))};
}

void ConnectionTable::Park(uint64_t id, std::unique_ptr<ClientConnection> connection,
                           Clock::time_point deadline) {
  const std::lock_guard lock(mutex_);
  const auto entry = entries_.find(id);
  if (entry == entries_.end() || !Watch(id, *connection, false)) {
    if (entry != entries_.end()) entries_.erase(entry);
    return;
  }
  entry->second = Entry{std::move(connection), deadline};
  deadlines_.emplace(deadline, id);
}

void ConnectionTable::Drop(uint64_t id) {
  const std::lock_guard lock(mutex_);
  entries_.erase(id);
}

void ConnectionTable::CloseExpired(Clock::time_point now) {
  const std::lock_guard lock(mutex_);
  while (!deadlines_.empty() && deadlines_.begin()->first <= now)
    CloseNearestDeadline();
}

size_t ConnectionTable::Open() const {
  const std::lock_guard lock(mutex_);
  return entries_.size();
}

bool ConnectionTable::Watch(uint64_t id, const ClientConnection& connection, bool added) {
  epoll_event event{};
  event.events = EPOLLIN | EPOLLRDHUP | EPOLLONESHOT;
  event.data.u64 = id;
  return ::epoll_ctl(epoll_, added ? EPOLL_CTL_ADD : EPOLL_CTL_MOD, connection.socket(), &event) ==
         0;
}

void ConnectionTable::CloseNearestDeadline() {
  const uint64_t id = deadlines_.begin()->second;
  deadlines_.erase(deadlines_.begin());
  entries_.erase(id);
}

std::unique_ptr<ClientConnection> ConnectionTable::Unpark(
    std::unordered_map<uint64_t, Entry>::iterator entry) {
  if (!entry->second.parked) return nullptr;
  deadlines_.erase({entry->second.deadline, entry->first});
  return std::move(entry->second.parked);
}

}  // namespace chatsieve::tool
