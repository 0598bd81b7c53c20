// Where the service listens: HOST:PORT as an operator writes it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace chatsieve::tool {

struct ListenAddress {
  std::string host;   // a name or an address; an IPv6 address without its brackets
  uint16_t port = 0;  // 0: any free port
};

// "127.0.0.1:8080", "localhost:0", "[::1]:8080", "0.0.0.0:80". Throws UsageError.
ListenAddress ParseListenAddress(std::string_view text);

// The form ParseListenAddress reads, brackets around an IPv6 address.
std::string FormatListenAddress(const ListenAddress& address);

}  // namespace chatsieve::tool
