#include "engine/match_option_names.h"

#include <array>
#include <cstdint>
#include <utility>

#include "chatsieve/filter.h"

namespace chatsieve {
namespace {

constexpr std::array<std::pair<std::string_view, uint32_t>, 12> kNames = {{
    {"separators", CHATSIEVE_SEPARATORS},
    {"width", CHATSIEVE_WIDTH},
    {"invisible", CHATSIEVE_INVISIBLE},
    {"jamo", CHATSIEVE_JAMO},
    {"initials", CHATSIEVE_INITIALS},
    {"keyboard", CHATSIEVE_KEYBOARD},
    {"digits", CHATSIEVE_DIGITS},
    {"repeats", CHATSIEVE_REPEATS},
    {"spaces", CHATSIEVE_SPACES},
    {"lookalike", CHATSIEVE_LOOKALIKE},
    {"korean", CHATSIEVE_KOREAN},
    {"recommended", CHATSIEVE_RECOMMENDED},
}};

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
