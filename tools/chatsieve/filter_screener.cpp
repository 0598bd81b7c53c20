#include "filter_screener.h"

#include <cstdio>
#include <string>

#include "default_word_list.h"

namespace chatsieve::tool {
namespace {

// A load's note on entries the filter left out or merged: worth knowing, not an error.
void WarnOf(const std::string& note) {
  if (!note.empty()) std::fprintf(stderr, "chatsieve: %s\n", note.c_str());
}

}  // namespace

FilterScreener::FilterScreener(const ScreeningSettings& settings)
    : filter_(settings.filter_options),
      masks_(settings.command == ScreeningCommand::kMask),
      finds_positions_(settings.format == OutputFormat::kJson),
      mask_character_(settings.mask_character.value_or(U'*')),
      mask_style_(settings.mask_style) {
  if (settings.min_severity) filter_.SetMinSeverity(*settings.min_severity);
  if (settings.categories) filter_.SetCategories(*settings.categories);
  WarnOf(filter_.Load(settings.list ? *settings.list : DefaultWordListPath(WordListFormat::kWide)));
  if (settings.allow) WarnOf(filter_.Load(*settings.allow, WordRole::kAllowed));
}

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
