// The bearer token that authorizes POST /v1/reload.
#pragma once

#include <string>
#include <string_view>

namespace chatsieve::tool {

// The token in a file: its first line, without surrounding spaces. Throws
// std::runtime_error when the file cannot be read or holds no token.
std::string ReadReloadToken(const std::string& path);

// Whether an Authorization header value is "Bearer TOKEN": compared in time that
// depends only on the lengths, so that the comparison tells nothing of the token.
bool AuthorizesReload(std::string_view authorization, std::string_view token);

}  // namespace chatsieve::tool
