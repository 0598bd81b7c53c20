#include "http_server.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/epoll.h>
#include <sys/eventfd.h>
#include <sys/resource.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>
#include <thread>
#include <vector>

namespace chatsieve::tool {
namespace {

constexpr uint64_t kListenerId = 1;
constexpr uint64_t kWakeId = 2;
// A request head (request line and headers) larger than this is refused.
constexpr size_t kHeadLimit = 16 * 1024;
// Bodies gathered before a thread takes them up, all connections together.
constexpr size_t kPendingBodyBytes = size_t{64} << 20;
constexpr auto kSweepInterval = std::chrono::milliseconds(250);
constexpr auto kAcceptPause = std::chrono::milliseconds(100);
// Descriptors kept for everything but client connections.
constexpr rlim_t kSpareDescriptors = 64;

// When the request this thread answers had its head complete, for the observer.
thread_local Clock::time_point request_head_complete;

// What a request's head alone decides: to answer it; to refuse it, its body left unread;
// or to take it up again once its body has arrived whole.
enum class Verdict { kAnswer, kBodyTooLarge, kBodyEncoded, kBodyPending, kTooManyPending };
thread_local Verdict request_verdict = Verdict::kAnswer;
// Whether the request reached a handler; one that did not failed to parse, and where
// the next request would start in its bytes is anyone's guess.
thread_local bool request_handled = false;

std::runtime_error SystemError(const std::string& what) {
  return std::runtime_error(what + ": " + std::strerror(errno));
}

// As many connections as asked for, if the open-file limit can be raised that far.
size_t ConnectionLimit(size_t wanted) {
  rlimit files{};
  if (::getrlimit(RLIMIT_NOFILE, &files) != 0) return std::min<size_t>(wanted, 1024);
  const rlim_t needed = static_cast<rlim_t>(wanted) + kSpareDescriptors;
  if (files.rlim_cur < needed) {
    files.rlim_cur = std::min(needed, files.rlim_max);
    ::setrlimit(RLIMIT_NOFILE, &files);
    ::getrlimit(RLIMIT_NOFILE, &files);
  }
  if (files.rlim_cur <= kSpareDescriptors * 2) return kSpareDescriptors;
  return std::min<size_t>(wanted, static_cast<size_t>(files.rlim_cur - kSpareDescriptors));
}

std::string AddressOf(int socket) {
  sockaddr_storage address{};
  socklen_t length = sizeof address;
  if (::getsockname(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0)
    throw SystemError("cannot tell the address listened on");
  char host[INET6_ADDRSTRLEN] = {};
  if (address.ss_family == AF_INET6) {
    const auto& v6 = reinterpret_cast<const sockaddr_in6&>(address);
    ::inet_ntop(AF_INET6, &v6.sin6_addr, host, sizeof host);
    return FormatListenAddress({host, ntohs(v6.sin6_port)});
  }
  const auto& v4 = reinterpret_cast<const sockaddr_in&>(address);
  ::inet_ntop(AF_INET, &v4.sin_addr, host, sizeof host);
  return FormatListenAddress({host, ntohs(v4.sin_port)});
}

bool Watch(int epoll, int descriptor, uint64_t id, uint32_t events, int operation) {
  epoll_event event{};
  event.events = events;
  event.data.u64 = id;
  return ::epoll_ctl(epoll, operation, descriptor, &event) == 0;
}

// Keeps httplib from reading a body: the request has none as far as it knows.
void DropBody(httplib::Request& request) {
  request.headers.erase("Content-Encoding");
  request.headers.erase("Transfer-Encoding");
  request.headers.erase("Content-Length");
  request.headers.emplace("Content-Length", "0");
}

}  // namespace

HttpServer::HttpServer(const ServerLimits& limits, Answer answer, Answer answer_error,
                       Observer observe)
    : limits_(limits),
      epoll_(::epoll_create1(EPOLL_CLOEXEC)),
      wake_(::eventfd(0, EFD_CLOEXEC | EFD_NONBLOCK)),
      pending_bodies_(kPendingBodyBytes),
      connections_(epoll_.Get(), ConnectionLimit(limits.connections)) {
  if (!epoll_.IsOpen() || !wake_.IsOpen()) throw SystemError("cannot set up the server");
  if (!Watch(epoll_.Get(), wake_.Get(), kWakeId, EPOLLIN, EPOLL_CTL_ADD))
    throw SystemError("cannot set up the server");
  const auto answer_unless_refused = [this, answer = std::move(answer)](
                                         const httplib::Request& request,
                                         httplib::Response& response) {
    request_handled = true;
    switch (request_verdict) {
      case Verdict::kAnswer:
        answer(request, response);
        // A request whose body arrived after the stop is the connection's last.
        if (stopping_.load()) response.set_header("Connection", "close");
        return;
      case Verdict::kBodyPending:
        return;
      case Verdict::kBodyTooLarge:
        response.status = 413;
        break;
      case Verdict::kBodyEncoded:
        response.status = 415;
        break;
      case Verdict::kTooManyPending:
        response.status = 503;
        response.set_header("Retry-After", "1");
        break;
    }
    // Its body is still on the way: the connection cannot carry another request.
    response.set_header("Connection", "close");
  };
  Get(".*", answer_unless_refused);
  Post(".*", answer_unless_refused);
  Put(".*", answer_unless_refused);
  Patch(".*", answer_unless_refused);
  Delete(".*", answer_unless_refused);
  Options(".*", answer_unless_refused);
  set_error_handler(std::move(answer_error));
  set_logger([observe = std::move(observe)](const httplib::Request& request,
                                            const httplib::Response& response) {
    if (request_verdict != Verdict::kBodyPending)
      observe(request, response, Clock::now() - request_head_complete);
  });
  set_payload_max_length(limits.max_body);
  set_keep_alive_max_count(limits.requests_per_connection);
  set_keep_alive_timeout(
      std::chrono::duration_cast<std::chrono::seconds>(limits.idle_timeout).count());
  // One service a port: SO_REUSEPORT, httplib's default, would let a second one share it.
  set_socket_options([](socket_t socket) {
    const int yes = 1;
    ::setsockopt(socket, SOL_SOCKET, SO_REUSEADDR, &yes, sizeof yes);
  });
}

std::string HttpServer::Listen(const ListenAddress& address) {
  const int port = address.port == 0
                       ? bind_to_any_port(address.host)
                       : (bind_to_port(address.host, address.port) ? address.port : -1);
  if (port < 0) {
    throw std::runtime_error("cannot listen on " + FormatListenAddress(address) +
                             ": the address is in use or not this machine's");
  }
  listener_ = FileDescriptor(svr_sock_.exchange(INVALID_SOCKET));
  // A deeper queue of connections than httplib's, for bursts of new clients.
  if (::listen(listener_.Get(), SOMAXCONN) != 0) throw SystemError("cannot listen");
  const int flags = ::fcntl(listener_.Get(), F_GETFL);
  if (flags < 0 || ::fcntl(listener_.Get(), F_SETFL, flags | O_NONBLOCK) != 0 ||
      !Watch(epoll_.Get(), listener_.Get(), kListenerId, EPOLLIN, EPOLL_CTL_ADD)) {
    throw SystemError("cannot set up the listening socket");
  }
  return AddressOf(listener_.Get());
}

void HttpServer::Run() {
  std::vector<std::jthread> workers;
  workers.reserve(limits_.threads);
  try {
    for (size_t i = 0; i < limits_.threads; ++i)
      workers.emplace_back([this] { Work(); });
  } catch (...) {
    // The threads started must end before they are joined.
    Stop();
    throw;
  }
}

void HttpServer::Stop() {
  if (stopping_.exchange(true)) return;
  // New connections are refused from now on; the socket closes with the server.
  ::shutdown(listener_.Get(), SHUT_RDWR);
  const uint64_t one = 1;
  [[maybe_unused]] const ssize_t written = ::write(wake_.Get(), &one, sizeof one);
}

void HttpServer::Work() {
  while (!stopping_.load()) {
    epoll_event event{};
    const int ready =
        ::epoll_wait(epoll_.Get(), &event, 1, static_cast<int>(kSweepInterval.count()));
    if (ready > 0 && !stopping_.load()) {
      if (event.data.u64 == kListenerId) {
        Accept();
      } else if (event.data.u64 >= ConnectionTable::kFirstId) {
        Serve(event.data.u64);
      }
    }
    SweepWhenDue();
  }
  AnswerWaitingRequests();
}

void HttpServer::Accept() {
  // A few at a time, so that a flood of connections does not starve the requests.
  for (int i = 0; i < 64; ++i) {
    const int socket = ::accept4(listener_.Get(), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
    if (socket < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      if (errno == EMFILE || errno == ENFILE || errno == ENOBUFS || errno == ENOMEM) {
        // Out of descriptors: stop watching the listener for a moment rather than spin.
        Watch(epoll_.Get(), listener_.Get(), kListenerId, 0, EPOLL_CTL_MOD);
        accept_paused_until_ = (Clock::now() + kAcceptPause).time_since_epoch().count();
      }
      return;
    }
    const int yes = 1;
    ::setsockopt(socket, IPPROTO_TCP, TCP_NODELAY, &yes, sizeof yes);
    // A new client has the time of a request to send its first.
    connections_.Add(std::make_unique<ClientConnection>(FileDescriptor(socket)),
                     Clock::now() + limits_.request_timeout);
  }
}

void HttpServer::Serve(uint64_t id) {
  std::unique_ptr<ClientConnection> connection = connections_.Take(id);
  if (!connection) return;
  try {
    const bool client_open =
        connection->ReadAvailable(std::max(kHeadLimit, connection->Expected()));
    if (!AnswerRequests(*connection, client_open) || !client_open || stopping_.load()) {
      connections_.Drop(id);
      return;
    }
  } catch (...) {
    // Whatever failed (memory, most likely), only this connection pays for it.
    connections_.Drop(id);
    return;
  }
  connection->ReleaseBuffers();
  const Clock::time_point deadline = connection->Unread() > 0
                                         ? connection->RequestStarted() + limits_.request_timeout
                                         : Clock::now() + limits_.idle_timeout;
  connections_.Park(id, std::move(connection), deadline);
}

bool HttpServer::AnswerRequests(ClientConnection& connection, bool client_open) {
  // A head that outgrows the limit is answered too: httplib refuses it.
  while (connection.HoldsRequestHead() || connection.Unread() >= kHeadLimit) {
    request_head_complete = Clock::now();
    request_verdict = Verdict::kAnswer;
    request_handled = false;
    connection.BeginRequest(kHeadLimit + limits_.max_body,
                            connection.RequestStarted() + limits_.request_timeout,
                            limits_.write_timeout);
    const bool last = stopping_.load() || !client_open ||
                      connection.RequestsAnswered() + 1 >= limits_.requests_per_connection;
    bool client_closes = false;
    Deferral deferral;
    const bool answered = process_request(
        connection, last, client_closes,
        [&](httplib::Request& request) { Judge(request, connection, last, deferral); });
    if (request_verdict == Verdict::kBodyPending)
      return connection.DeferRequest(std::move(deferral.share), deferral.expected);
    connection.CountRequest();
    if (!connection.FinishRequest() || !answered || client_closes || last || connection.Broken() ||
        !request_handled || request_verdict != Verdict::kAnswer || stopping_.load()) {
      return false;
    }
  }
  return true;
}

void HttpServer::Judge(httplib::Request& request, ClientConnection& connection, bool last,
                       Deferral& deferral) {
  // Without a length or chunks a request has no body (httplib would read until the
  // client closes).
  if (!request.has_header("Content-Length") && !request.has_header("Transfer-Encoding"))
    request.headers.emplace("Content-Length", "0");
  // A client told once to send its body is not told again when the request is taken up
  // anew.
  if (connection.Continued()) request.headers.erase("Expect");
  const std::string encoding = request.get_header_value("Content-Encoding");
  const uint64_t length = request.get_header_value<uint64_t>("Content-Length");
  if (!encoding.empty() && encoding != "identity") {
    // A small compressed body can unpack to any size.
    request_verdict = Verdict::kBodyEncoded;
  } else if (length > limits_.max_body) {
    // Refused at once, not read (httplib would read and drop the whole of it).
    request_verdict = Verdict::kBodyTooLarge;
  } else if (!last && length > connection.Unread() && !request.has_header("Transfer-Encoding")) {
    // The body is on its way: the connection waits for it without a thread, while the
    // pending bodies stay under their cap; past it, the request is refused for now.
    if (!connection.HoldsShare())
      deferral.share = pending_bodies_.Reserve(static_cast<size_t>(length));
    deferral.expected = connection.RequestBytesRead() + static_cast<size_t>(length);
    request_verdict = connection.HoldsShare() || deferral.share ? Verdict::kBodyPending
                                                                : Verdict::kTooManyPending;
    if (request_verdict == Verdict::kBodyPending &&
        request.get_header_value("Expect") == "100-continue") {
      connection.SendContinue();
    }
  } else {
    return;
  }
  DropBody(request);
}

void HttpServer::AnswerWaitingRequests() {
  for (;;) {
    auto [id, connection] = connections_.TakeAny();
    if (!connection) return;
    try {
      const bool client_open =
          connection->ReadAvailable(std::max(kHeadLimit, connection->Expected()));
      AnswerRequests(*connection, client_open);
    } catch (...) {
      // Closed below all the same.
    }
    connections_.Drop(id);
  }
}

void HttpServer::SweepWhenDue() {
  const Clock::time_point now = Clock::now();
  Clock::rep due = next_sweep_.load();
  if (now.time_since_epoch().count() < due) return;
  // One thread sweeps; the others go on answering.
  if (!next_sweep_.compare_exchange_strong(due, (now + kSweepInterval).time_since_epoch().count()))
    return;
  connections_.CloseExpired(now);
  Clock::rep paused_until = accept_paused_until_.load();
  if (paused_until != 0 && now.time_since_epoch().count() >= paused_until &&
      accept_paused_until_.compare_exchange_strong(paused_until, 0)) {
    Watch(epoll_.Get(), listener_.Get(), kListenerId, EPOLLIN, EPOLL_CTL_MOD);
  }
}

}  // namespace chatsieve::tool
