#include "engine/match_option_names.h"

#include <cstdint>
#include <utility>

namespace chatsieve {
namespace {

// The single options first, then the sets, as the table lists them.
constexpr std::pair<std::string_view, uint32_t> kNames[] = {
#define MATCH_OPTION_NAME(name, enumerator, bits) {#name, bits},
    MATCH_OPTION_TABLE(MATCH_OPTION_NAME) MATCH_OPTION_SET_TABLE(MATCH_OPTION_NAME)
#undef MATCH_OPTION_NAME
};

std::optional<uint32_t> BitsOf(std::string_view name) {
  for (const auto& [known, bits] : kNames) {
    if (name == known) return bits;
  }
  return std::nullopt;
}

}  // namespace

std::optional<MatchOptions> MatchOptionsFromNames(std::string_view names) {
  uint32_t bits = 0;
  for (;;) {
    const size_t comma = names.find(',');
    const std::optional<uint32_t> named = BitsOf(names.substr(0, comma));
    if (!named) return std::nullopt;
    bits |= *named;
    if (comma == std::string_view::npos) return MatchOptions::FromBits(bits);
    names.remove_prefix(comma + 1);
  }
}

}  // namespace chatsieve
