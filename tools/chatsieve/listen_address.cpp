#include "listen_address.h"

#include <charconv>

#include "option_parser.h"

namespace chatsieve::tool {

ListenAddress ParseListenAddress(std::string_view text) {
  const auto refuse = [&] {
    return UsageError("--listen takes HOST:PORT ([ADDRESS]:PORT for IPv6), not " + Quoted(text));
  };
  const size_t colon = text.rfind(':');
  if (colon == std::string_view::npos || colon == 0) throw refuse();
  std::string_view host = text.substr(0, colon);
  const std::string_view port = text.substr(colon + 1);
  if (host.front() == '[') {
    if (host.size() < 3 || host.back() != ']') throw refuse();
    host = host.substr(1, host.size() - 2);
  } else if (host.find(':') != std::string_view::npos) {
    throw refuse();
  }
  ListenAddress address{std::string(host), 0};
  const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), address.port);
  if (port.empty() || error != std::errc() || end != port.data() + port.size()) throw refuse();
  return address;
}

std::string FormatListenAddress(const ListenAddress& address) {
  const bool bracketed = address.host.find(':') != std::string::npos;
  return (bracketed ? "[" + address.host + "]" : address.host) + ":" + std::to_string(address.port);
}

}  // namespace chatsieve::tool
