#include "filter_screener.h"

#include "filter_setup.h"

namespace chatsieve::tool {

FilterScreener::FilterScreener(const ScreeningSettings& settings)
    : filter_(BuildFilter(settings.filter)),
      masks_(settings.command == ScreeningCommand::kMask),
      finds_positions_(settings.format == OutputFormat::kJson),
      mask_character_(settings.mask_character.value_or(U'*')),
      mask_style_(settings.mask_style) {
  if (settings.conversation) conversation_.emplace(filter_, settings.limits);
}

std::optional<Screening> FilterScreener::Screen(const Text& text) {
  if (conversation_) return ScreenInConversation(text);
  Screening screening;
  if (finds_positions_) {
    for (const Match& match : filter_.Find(text.bytes)) {
      screening.found.push_back({match.begin,
                                 match.end,
                                 match.word,
                                 filter_.Word(match.word),
                                 match.category,
                                 match.severity,
                                 {}});
    }
    screening.listed = !screening.found.empty();
  } else if (!masks_) {
    screening.listed = filter_.Check(text.bytes);
  }
  if (masks_) screening.masked = filter_.Mask(text.bytes, mask_character_, mask_style_);
  return screening;
}

// One call per line, so that each line is remembered once: find when positions are
// printed (check only), else mask or check.
std::optional<Screening> FilterScreener::ScreenInConversation(const Text& text) {
  Screening screening;
  if (finds_positions_) {
    for (const ConversationMatch& match : conversation_->Find(text.bytes)) {
      FoundWord found{match.begin,    match.end,      match.word, filter_.Word(match.word),
                      match.category, match.severity, {}};
      for (const ConversationPart& part : match.parts)
        found.lines.push_back(text.number - part.message);
      screening.found.push_back(std::move(found));
    }
    screening.listed = !screening.found.empty();
  } else if (masks_) {
    screening.masked = conversation_->Mask(text.bytes, {}, mask_character_, mask_style_);
  } else {
    screening.listed = conversation_->Check(text.bytes);
  }
  return screening;
}

}  // namespace chatsieve::tool
