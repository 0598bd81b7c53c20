#include "filter_screener.h"

#include "default_word_list.h"

namespace chatsieve::tool {

FilterScreener::FilterScreener(const ScreeningSettings& settings)
    : filter_(settings.filter_options),
      masks_(settings.command == ScreeningCommand::kMask),
      finds_positions_(settings.format == OutputFormat::kJson),
      mask_character_(settings.mask_character.value_or(U'*')),
      mask_style_(settings.mask_style) {
  filter_.Load(settings.list ? *settings.list : DefaultWordListPath(WordListFormat::kWide));
  if (settings.allow) filter_.Load(*settings.allow, WordRole::kAllowed);
}

std::optional<Screening> FilterScreener::Screen(const Text& text) {
  Screening screening;
  if (finds_positions_) {
    for (const Match& match : filter_.Find(text.bytes))
      screening.found.push_back({match.begin, match.end, match.word, filter_.Word(match.word)});
    screening.listed = !screening.found.empty();
  } else if (!masks_) {
    screening.listed = filter_.Check(text.bytes);
  }
  if (masks_) screening.masked = filter_.Mask(text.bytes, mask_character_, mask_style_);
  return screening;
}

}  // namespace chatsieve::tool
