#include "screener.h"

#include "filter_screener.h"
#include "in_place_screener.h"
#include "legacy_screener.h"

namespace chatsieve::tool {

std::unique_ptr<Screener> MakeScreener(const ScreeningSettings& settings) {
  if (settings.engine == Engine::kFilter) return std::make_unique<FilterScreener>(settings);
  if (settings.in_place) return std::make_unique<InPlaceScreener>(settings);
  return std::make_unique<LegacyScreener>(settings);
}

}  // namespace chatsieve::tool
