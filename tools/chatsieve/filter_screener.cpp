#include "filter_screener.h"

#include "filter_setup.h"

namespace chatsieve::tool {

FilterScreener::FilterScreener(const ScreeningSettings& settings)
    : filter_(BuildFilter(settings.filter)),
      masks_(settings.command == ScreeningCommand::kMask),
      finds_positions_(settings.format == OutputFormat::kJson),
      mask_character_(settings.mask_character.value_or(U'*')),
      mask_style_(settings.mask_style) {}

std::optional<Screening> FilterScreener::Screen(const Text& text) {
  Screening screening;
  if (finds_positions_) {
    for (const Match& match : filter_.Find(text.bytes)) {
      screening.found.push_back({match.begin, match.end, match.word, filter_.Word(match.word),
                                 match.category, match.severity});
    }
    screening.listed = !screening.found.empty();
  } else if (!masks_) {
    screening.listed = filter_.Check(text.bytes);
  }
  if (masks_) screening.masked = filter_.Mask(text.bytes, mask_character_, mask_style_);
  return screening;
}

}  // namespace chatsieve::tool
