// `chatsieve mask --legacy --in-place`: masking with '*' where the words stand, through
// the legacy filter object's in-place masking export rather than IsBadToRep.
#pragma once

#include "screener.h"

namespace chatsieve::tool {

class InPlaceScreener final : public Screener {
 public:
  // Loads the list through the loading exports, as --legacy does.
  explicit InPlaceScreener(const ScreeningSettings& settings);

  // Texts the legacy interface cannot take are reported (see legacy_text.h).
  std::optional<Screening> Screen(const Text& text) override;

 private:
  bool narrow_;
};

}  // namespace chatsieve::tool
