// The filter's options by name, as an operator gives them on a command line.
#pragma once

#include <optional>
#include <string_view>

#include "engine/match_options.h"

namespace chatsieve {

// Names joined by commas, each an option in lower case ("width,jamo", "separators") or a
// named set ("korean", "recommended"); nothing for an unknown or empty name.
std::optional<MatchOptions> MatchOptionsFromNames(std::string_view names);

}  // namespace chatsieve
