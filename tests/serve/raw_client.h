// Bytes sent to the service over a plain socket, as a hostile or a slow client sends
// them, and the status of its reply.
#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <stdexcept>
#include <string>
#include <string_view>

namespace chatsieve::testing {

class RawClient {
 public:
  explicit RawClient(int port) : socket_(::socket(AF_INET, SOCK_STREAM, 0)) {
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(static_cast<uint16_t>(port));
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (socket_ < 0 ||
        ::connect(socket_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0) {
      throw std::runtime_error("cannot connect");
    }
  }
  RawClient(const RawClient&) = delete;
  RawClient& operator=(const RawClient&) = delete;
  ~RawClient() { ::close(socket_); }

  // False when the service no longer takes the bytes.
  bool Send(std::string_view bytes) {
    while (!bytes.empty()) {
      const ssize_t sent = ::send(socket_, bytes.data(), bytes.size(), MSG_NOSIGNAL);
      if (sent <= 0) return false;
      bytes.remove_prefix(static_cast<size_t>(sent));
    }
    return true;
  }

  // What arrives until the service closes the connection, `enough` bytes have come, or
  // `patience` runs out.
  std::string Receive(std::chrono::milliseconds patience, size_t enough = SIZE_MAX) {
    std::string reply;
    const auto deadline = std::chrono::steady_clock::now() + patience;
    while (reply.size() < enough) {
      const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
          deadline - std::chrono::steady_clock::now());
      pollfd readable{socket_, POLLIN, 0};
      if (left.count() <= 0 || ::poll(&readable, 1, static_cast<int>(left.count())) <= 0) break;
      char buffer[65536];
      const ssize_t got = ::recv(socket_, buffer, sizeof buffer, 0);
      if (got <= 0) break;
      reply.append(buffer, static_cast<size_t>(got));
    }
    return reply;
  }

  // The status of the first reply, 0 for none.
  int Status(std::chrono::milliseconds patience = std::chrono::seconds(5)) {
    const std::string reply = Receive(patience, 12);
    return reply.size() >= 12 && reply.starts_with("HTTP/1.1 ") ? std::stoi(reply.substr(9, 3)) : 0;
  }

 private:
  int socket_;
};

// A POST request as bytes, with its length given.
inline std::string PostRequest(std::string_view path, std::string_view body,
                               std::string_view headers = "") {
  return "POST " + std::string(path) + " HTTP/1.1\r\nHost: test\r\n" + std::string(headers) +
         "Content-Length: " + std::to_string(body.size()) + "\r\n\r\n" + std::string(body);
}

}  // namespace chatsieve::testing
