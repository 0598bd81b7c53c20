#include "reload_token.h"

#include <fstream>
#include <stdexcept>

namespace chatsieve::tool {
namespace {

constexpr std::string_view kSpaces = " \t\r\n";
constexpr std::string_view kScheme = "Bearer ";

std::string_view Trimmed(std::string_view text) {
  const size_t first = text.find_first_not_of(kSpaces);
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(kSpaces) - first + 1);
}

}  // namespace

std::string ReadReloadToken(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + ": cannot open the token file");
  std::string line;
  std::getline(in, line);
  const std::string_view token = Trimmed(line);
  if (token.empty()) throw std::runtime_error(path + ": holds no token on its first line");
  return std::string(token);
}

bool AuthorizesReload(std::string_view authorization, std::string_view token) {
  if (!authorization.starts_with(kScheme)) return false;
  const std::string_view given = Trimmed(authorization.substr(kScheme.size()));
  // Every byte of the token is compared whatever the header holds.
  unsigned char difference = given.size() == token.size() ? 0 : 1;
  for (size_t i = 0; i < token.size(); ++i) {
    const char offered = i < given.size() ? given[i] : '\0';
    difference |= static_cast<unsigned char>(offered ^ token[i]);
  }
  return difference == 0;
}

}  // namespace chatsieve::tool
