// The service's endpoints: their paths and methods, and how requests are counted by them.
#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace chatsieve::tool {

enum class Endpoint { kCheck, kFind, kMask, kReload, kHealth, kMetrics };

constexpr size_t kEndpointCount = 6;

struct EndpointRoute {
  Endpoint endpoint;
  std::string_view path;
  std::string_view method;  // GET endpoints also answer HEAD
};

constexpr std::array<EndpointRoute, kEndpointCount> kEndpointRoutes = {{
    {Endpoint::kCheck, "/v1/check", "POST"},
    {Endpoint::kFind, "/v1/find", "POST"},
    {Endpoint::kMask, "/v1/mask", "POST"},
    {Endpoint::kReload, "/v1/reload", "POST"},
    {Endpoint::kHealth, "/healthz", "GET"},
    {Endpoint::kMetrics, "/metrics", "GET"},
}};

// The route of a path; nothing for a path the service does not have.
std::optional<EndpointRoute> RouteOf(std::string_view path);

}  // namespace chatsieve::tool
