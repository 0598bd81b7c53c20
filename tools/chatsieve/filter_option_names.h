// The filter's options by the names an operator gives on the command line, for every
// command that makes a filter.
#pragma once

#include <optional>
#include <string_view>

#include "chatsieve/filter.hpp"

namespace chatsieve::tool {

// Names joined by commas ("width,jamo", "korean"); nothing for an unknown or empty name.
std::optional<Options> FilterOptionsFromNames(std::string_view names);

}  // namespace chatsieve::tool
