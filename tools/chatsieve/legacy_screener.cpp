#include "legacy_screener.h"

#include <stdexcept>
#include <vector>

#include "chatsieve/chatsieve.h"
#include "default_word_list.h"
#include "legacy_text.h"
#include "text/utf8.h"
#include "word_list_format.h"

namespace chatsieve::tool {
namespace {

void LoadThroughExports(const ScreeningSettings& settings) {
  const bool narrow = settings.encoding == Encoding::kCp949;
  int32_t loaded = 0;
  std::string path;
  if (!settings.filter.list) {
    loaded = narrow ? InitBadChatMan(nullptr) : InitBadChatManW(nullptr);
    path = DefaultWordListPath(narrow ? WordListFormat::kNarrow : WordListFormat::kWide);
  } else {
    path = *settings.filter.list;
    if (BinaryFormatOf(path) == WordListFormat::kNarrow) {
      loaded = InitBadChatMan(path.c_str());
    } else if (const auto wide_path = platform::Utf8ToUtf16(path)) {
      loaded = InitBadChatManW(wide_path->c_str());
    }
  }
  if (loaded == 0) throw std::runtime_error(LoadFailureMessage(path));
}

}  // namespace

LegacyScreener::LegacyScreener(const ScreeningSettings& settings)
    : narrow_(settings.encoding == Encoding::kCp949),
      masks_(settings.command == ScreeningCommand::kMask),
      mask_character_(settings.mask_character.value_or(U'*')) {
  LoadThroughExports(settings);
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
