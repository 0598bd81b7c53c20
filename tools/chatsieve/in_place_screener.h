// `chatsieve mask --legacy --in-place`: masking with '*' where the words stand, through
// the legacy filter object's own in-place masking rather than the exports.
#pragma once

#include "legacy/bad_chat_man.h"
#include "screener.h"

namespace chatsieve::tool {

class InPlaceScreener final : public Screener {
 public:
  // Loads the list (default: the one beside the library) into a filter object of its own.
  explicit InPlaceScreener(const ScreeningSettings& settings);

  // Texts the legacy interface cannot take are reported (see legacy_text.h).
  std::optional<Screening> Screen(const Text& text) override;

 private:
  BadChatMan filter_;
  bool narrow_;
};

}  // namespace chatsieve::tool
