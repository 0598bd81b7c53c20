// Screening through the seven legacy exports, as a host of the old interface does:
// code page 949 or UTF-16 text, terminated, at the process-wide filter level.
#pragma once

#include "screener.h"

namespace chatsieve::tool {

class LegacyScreener final : public Screener {
 public:
  // Loads the list through the loading exports (without --list, with a null path) and
  // sets the level if one is given.
  explicit LegacyScreener(const ScreeningSettings& settings);

  // Texts the exports cannot take are reported (see legacy_text.h).
  std::optional<Screening> Screen(const Text& text) override;

 private:
  Screening ScreenNarrow(const std::string& text) const;
  Screening ScreenWide(const std::u16string& text) const;

  bool narrow_;
  bool masks_;
  char32_t mask_character_;
};

}  // namespace chatsieve::tool
