// The service's HTTP server: httplib parses each request and writes each answer, over
// connections this server keeps itself. Any number of connections wait in epoll at the
// cost of a socket each; a fixed pool of threads answers the requests whose heads have
// arrived. Limits keep any client from holding a thread or memory for long: a deadline
// for each request, a cap on its bytes, an idle timeout, a cap on open connections.
#pragma once

#include <httplib.h>

#include <atomic>
#include <chrono>
#include <cstddef>
#include <functional>
#include <string>

#include "client_connection.h"
#include "connection_table.h"
#include "file_descriptor.h"
#include "listen_address.h"
#include "pending_bodies.h"

namespace chatsieve::tool {

struct ServerLimits {
  size_t threads = 1;
  size_t max_body = 1 << 20;
  size_t connections = 10000;  // lowered to what the open-file limit allows
  // From a request's first byte to its last, and for each send of an answer.
  Clock::duration request_timeout = std::chrono::seconds(10);
  Clock::duration write_timeout = std::chrono::seconds(10);
  // A connection waiting for its next request.
  Clock::duration idle_timeout = std::chrono::seconds(60);
  size_t requests_per_connection = 10000;
};

class HttpServer : private httplib::Server {
 public:
  using Answer = std::function<void(const httplib::Request&, httplib::Response&)>;
  // Called with each answer made, and the time since the request's head was complete.
  using Observer = std::function<void(const httplib::Request&, const httplib::Response&,
                                      std::chrono::nanoseconds)>;

  // `answer` answers every request; `answer_error` gives a body to an error status
  // that httplib set itself (400, 413, 414) or that has none.
  HttpServer(const ServerLimits& limits, Answer answer, Answer answer_error, Observer observe);

  // Binds and listens. Returns the address bound, "127.0.0.1:41234" or "[::1]:8080".
  // Throws std::runtime_error.
  std::string Listen(const ListenAddress& address);
  // Answers requests until Stop, then answers those already received, and returns.
  void Run();
  // Stops taking connections; Run returns once the requests in flight are answered.
  // Safe from any thread, and more than once.
  void Stop();
  size_t OpenConnections() const { return connections_.Open(); }
  size_t PendingBodyBytes() const { return pending_bodies_.Held(); }

 private:
  void Work();
  void Accept();
  void Serve(uint64_t id);
  // Answers every request whose head has arrived; false when the connection must close.
  bool AnswerRequests(ClientConnection& connection, bool client_open);
  // A request put back until its body has arrived: the bytes it waits for, and the
  // body's part of the cap on pending bodies.
  struct Deferral {
    PendingBodies::Share share;
    size_t expected = 0;
  };
  // Looks at a request's head before httplib reads its body: whether to answer it,
  // refuse it, or wait for its body first.
  void Judge(httplib::Request& request, ClientConnection& connection, bool last,
             Deferral& deferral);
  void AnswerWaitingRequests();
  void SweepWhenDue();

  const ServerLimits limits_;
  FileDescriptor epoll_;
  FileDescriptor wake_;
  FileDescriptor listener_;
  PendingBodies pending_bodies_;
  ConnectionTable connections_;
  std::atomic<bool> stopping_{false};
  std::atomic<Clock::rep> next_sweep_{0};
  std::atomic<Clock::rep> accept_paused_until_{0};
};

}  // namespace chatsieve::tool
