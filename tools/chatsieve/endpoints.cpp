#include "endpoints.h"

namespace chatsieve::tool {

std::optional<EndpointRoute> RouteOf(std::string_view path) {
  for (const EndpointRoute& route : kEndpointRoutes) {
    if (route.path == path) return route;
  }
  return std::nullopt;
}

}  // namespace chatsieve::tool
