#include "filter_option_names.h"

#include "engine/match_option_names.h"

namespace chatsieve::tool {

std::optional<Options> FilterOptionsFromNames(std::string_view names) {
  const std::optional<MatchOptions> named = MatchOptionsFromNames(names);
  if (!named) return std::nullopt;
  return Options::FromBits(named->Bits());
}

}  // namespace chatsieve::tool
