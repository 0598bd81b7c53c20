// Screening through the filter of filter.hpp: UTF-8 text of any content, zero bytes
// and invalid bytes included, with positions and allowed words.
#pragma once

#include <optional>

#include "chatsieve/filter.hpp"
#include "screener.h"

namespace chatsieve::tool {

class FilterScreener final : public Screener {
 public:
  // Builds the filter the settings describe (by default the built-in Korean lexicon).
  explicit FilterScreener(const ScreeningSettings& settings);

  std::optional<Screening> Screen(const Text& text) override;

 private:
  std::optional<Screening> ScreenInConversation(const Text& text);

  Filter filter_;
  std::optional<Conversation> conversation_;  // with --conversation
  bool masks_;
  bool finds_positions_;
  char32_t mask_character_;
  MaskStyle mask_style_;
};

}  // namespace chatsieve::tool
