// The open client connections. A connection is either parked, waiting in epoll for its
// next bytes until a deadline, and then owned here; or taken by the worker answering
// it. epoll reports a connection by an id that is never reused, so a report about a
// connection closed meanwhile finds nothing.
#pragma once

#include <cstdint>
#include <memory>
#include <mutex>
#include <set>
#include <unordered_map>
#include <utility>

#include "client_connection.h"

namespace chatsieve::tool {

class ConnectionTable {
 public:
  // The first id given to a connection; smaller ones are the caller's own.
  static constexpr uint64_t kFirstId = 16;

  ConnectionTable(int epoll, size_t limit) : epoll_(epoll), limit_(limit) {}

  // Parks a new connection until `deadline`. When the table is full, the parked
  // connection nearest its deadline is closed to make room: idle connections cannot
  // keep a new client out. False when every connection is taken and none can go.
  bool Add(std::unique_ptr<ClientConnection> connection, Clock::time_point deadline);
  // A parked connection whose socket became ready; null when it was closed meanwhile.
  std::unique_ptr<ClientConnection> Take(uint64_t id);
  // Any parked connection, for its last request at shutdown; null when none is left.
  std::pair<uint64_t, std::unique_ptr<ClientConnection>> TakeAny();
  // Parks a taken connection again until its next bytes or `deadline`.
  void Park(uint64_t id, std::unique_ptr<ClientConnection> connection, Clock::time_point deadline);
  // Forgets a taken connection, which its worker closes.
  void Drop(uint64_t id);
  // Closes the parked connections whose deadline has passed.
  void CloseExpired(Clock::time_point now);
  size_t Open() const;

 private:
  struct Entry {
    std::unique_ptr<ClientConnection> parked;  // null while taken
    Clock::time_point deadline;
  };
  using Deadline = std::pair<Clock::time_point, uint64_t>;

  // Registers the socket with epoll for one report of readiness. Call locked.
  bool Watch(uint64_t id, const ClientConnection& connection, bool added);
  // Closes the parked connection whose deadline comes first. Call locked.
  void CloseNearestDeadline();
  std::unique_ptr<ClientConnection> Unpark(std::unordered_map<uint64_t, Entry>::iterator entry);

  const int epoll_;
  const size_t limit_;
  mutable std::mutex mutex_;
  uint64_t next_id_ = kFirstId;
  std::unordered_map<uint64_t, Entry> entries_;
  std::set<Deadline> deadlines_;  // of the parked connections
};

}  // namespace chatsieve::tool
