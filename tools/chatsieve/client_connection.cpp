#include "client_connection.h"

#include <poll.h>
#include <sys/socket.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string_view>

namespace chatsieve::tool {
namespace {

constexpr size_t kReadSize = 16384;
// Buffers up to this size are kept between requests rather than allocated anew.
constexpr size_t kKeptBuffer = 4096;
constexpr std::string_view kHeadEnd = "\r\n\r\n";

bool WouldBlock() {
  return errno == EAGAIN || errno == EWOULDBLOCK;
}

}  // namespace

ClientConnection::ClientConnection(FileDescriptor socket)
    : socket_(std::move(socket)), request_started_(Clock::now()) {}

bool ClientConnection::ReadAvailable(size_t most) {
  while (Unread() < most) {
    const ssize_t got = Receive();
    if (got == 0) return false;
    if (got < 0) {
      if (errno == EINTR) continue;
      return WouldBlock();
    }
    // A short read took everything there was.
    if (static_cast<size_t>(got) < kReadSize) return true;
  }
  return true;
}

bool ClientConnection::HoldsRequestHead() {
  const std::string_view unread(input_.data() + input_used_, Unread());
  const size_t from = head_scanned_ < kHeadEnd.size() ? 0 : head_scanned_ - (kHeadEnd.size() - 1);
  head_scanned_ = unread.size();
  return unread.find(kHeadEnd, from) != std::string_view::npos;
}

void ClientConnection::BeginRequest(size_t budget, Clock::time_point read_deadline,
                                    Clock::duration write_timeout) {
  budget_ = budget;
  read_deadline_ = read_deadline;
  write_timeout_ = write_timeout;
  request_begin_ = input_used_;
  rewindable_ = true;
}

bool ClientConnection::DeferRequest(PendingBodies::Share share, size_t expected) {
  output_.clear();
  if (!rewindable_) return false;
  input_used_ = request_begin_;
  head_scanned_ = 0;
  if (share) share_ = std::move(share);
  expected_ = expected;
  return true;
}

void ClientConnection::SendContinue() {
  if (continued_) return;
  continued_ = true;
  output_.append("HTTP/1.1 100 Continue\r\n\r\n");
  SendOutput();
}

bool ClientConnection::FinishRequest() {
  head_scanned_ = 0;
  share_ = {};
  expected_ = 0;
  continued_ = false;
  request_started_ = Clock::now();
  return SendOutput();
}

void ClientConnection::ReleaseBuffers() {
  if (Unread() == 0 && input_.capacity() > kKeptBuffer) {
    input_ = std::string();
    input_used_ = 0;
  }
  if (output_.empty() && output_.capacity() > kKeptBuffer) output_ = std::string();
}

ssize_t ClientConnection::read(char* ptr, size_t size) {
  if (broken_) return -1;
  while (Unread() == 0) {
    // An interim answer (100 Continue) must reach the client before it sends the body.
    if (!SendOutput()) return -1;
    const ssize_t got = Receive();
    if (got == 0) return 0;
    if (got > 0) break;
    if (errno == EINTR) continue;
    if (!WouldBlock() || !Await(POLLIN, read_deadline_)) {
      broken_ = true;
      return -1;
    }
  }
  const size_t taken = std::min({size, Unread(), budget_});
  if (taken == 0) {
    // The request has read all it may.
    broken_ = true;
    return -1;
  }
  std::memcpy(ptr, input_.data() + input_used_, taken);
  input_used_ += taken;
  budget_ -= taken;
  return static_cast<ssize_t>(taken);
}

// Gathered even once reading has failed: the answer to a request cut short still goes.
ssize_t ClientConnection::write(const char* ptr, size_t size) {
  output_.append(ptr, size);
  return static_cast<ssize_t>(size);
}

// The service keeps no record of its clients' addresses.
void ClientConnection::get_remote_ip_and_port(std::string& ip, int& port) const {
  ip.clear();
  port = 0;
}

void ClientConnection::get_local_ip_and_port(std::string& ip, int& port) const {
  ip.clear();
  port = 0;
}

bool ClientConnection::SendOutput() {
  const Clock::time_point deadline = Clock::now() + write_timeout_;
  size_t sent = 0;
  bool sending = true;
  while (sending && sent < output_.size()) {
    const ssize_t wrote =
        ::send(socket_.Get(), output_.data() + sent, output_.size() - sent, MSG_NOSIGNAL);
    if (wrote > 0) {
      sent += static_cast<size_t>(wrote);
    } else if (wrote < 0 && errno == EINTR) {
      continue;
    } else if (wrote == 0 || !WouldBlock() || !Await(POLLOUT, deadline)) {
      sending = false;
      broken_ = true;
    }
  }
  output_.clear();
  return sending;
}

bool ClientConnection::Await(short events, Clock::time_point deadline) {
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) return false;
    pollfd watched{socket_.Get(), events, 0};
    const int ready = ::poll(&watched, 1, static_cast<int>(std::min<long long>(left, 60000)));
    if (ready > 0) return true;
    if (ready < 0 && errno != EINTR) return false;
  }
}

ssize_t ClientConnection::Receive() {
  char buffer[kReadSize];
  const ssize_t got = ::recv(socket_.Get(), buffer, sizeof buffer, 0);
  if (got <= 0) return got;
  if (Unread() == 0) {
    input_.clear();
    input_used_ = 0;
    request_started_ = Clock::now();
    rewindable_ = false;
  } else if (input_used_ > 0) {
    // Bytes already read go: a request started before them can no longer be put back.
    rewindable_ = rewindable_ && request_begin_ >= input_used_;
    request_begin_ -= std::min(request_begin_, input_used_);
    input_.erase(0, input_used_);
    input_used_ = 0;
  }
  input_.append(buffer, static_cast<size_t>(got));
  return got;
}

}  // namespace chatsieve::tool
