#include "in_place_screener.h"

#include <string>
#include <vector>

#include "chatsieve/chatsieve.h"
#include "legacy_text.h"
#include "text/utf8.h"

namespace chatsieve::tool {

InPlaceScreener::InPlaceScreener(const ScreeningSettings& settings)
    : narrow_(settings.encoding == Encoding::kCp949) {
  LoadLegacyList(settings);
}

std::optional<Screening> InPlaceScreener::Screen(const Text& text) {
  if (!FitsLegacyInterface(text)) return std::nullopt;
  Screening screening;
  if (narrow_) {
    std::vector<char> buffer(text.bytes.begin(), text.bytes.end());
    buffer.push_back('\0');
    chatsieve_legacy_mask_in_place(buffer.data());
    screening.masked = buffer.data();
    return screening;
  }
  const auto wide = WideLegacyText(text);
  if (!wide) return std::nullopt;
  std::vector<char16_t> buffer(wide->c_str(), wide->c_str() + wide->size() + 1);
  chatsieve_legacy_mask_in_place16(buffer.data());
  screening.masked = platform::Utf16ToUtf8(buffer.data());
  return screening;
}

}  // namespace chatsieve::tool
