#include "legacy_screener.h"

#include <vector>

#include "chatsieve/chatsieve.h"
#include "legacy_text.h"
#include "text/utf8.h"

namespace chatsieve::tool {
LegacyScreener::LegacyScreener(const ScreeningSettings& settings)
    : narrow_(settings.encoding == Encoding::kCp949),
      masks_(settings.command == ScreeningCommand::kMask),
      mask_character_(settings.mask_character.value_or(U'*')) {
  LoadLegacyList(settings);
  if (settings.level) SetLevel(*settings.level);
}

std::optional<Screening> LegacyScreener::Screen(const Text& text) {
  if (!FitsLegacyInterface(text)) return std::nullopt;
  if (narrow_) return ScreenNarrow(std::string(text.bytes));
  const auto wide = WideLegacyText(text);
  if (!wide) return std::nullopt;
  return ScreenWide(*wide);
}

Screening LegacyScreener::ScreenNarrow(const std::string& text) const {
  Screening screening;
  if (!masks_) {
    screening.listed = IsBad(text.c_str()) != 0;
    return screening;
  }
  std::vector<char> masked(text.c_str(), text.c_str() + text.size() + 1);
  IsBadToRep(text.c_str(), masked.data(), static_cast<int32_t>(masked.size()),
             static_cast<char>(mask_character_));
  screening.masked = masked.data();
  return screening;
}

Screening LegacyScreener::ScreenWide(const std::u16string& text) const {
  Screening screening;
  if (!masks_) {
    screening.listed = IsBadW(text.c_str()) != 0;
    return screening;
  }
  std::vector<char16_t> masked(text.c_str(), text.c_str() + text.size() + 1);
  IsBadToRepW(text.c_str(), masked.data(), static_cast<uint32_t>(masked.size()),
              static_cast<char16_t>(mask_character_));
  screening.masked = platform::Utf16ToUtf8(masked.data());
  return screening;
}

}  // namespace chatsieve::tool
