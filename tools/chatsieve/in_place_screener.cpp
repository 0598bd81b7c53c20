#include "in_place_screener.h"

#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "default_word_list.h"
#include "legacy_text.h"
#include "text/utf8.h"
#include "word_list_format.h"

namespace chatsieve::tool {

InPlaceScreener::InPlaceScreener(const ScreeningSettings& settings)
    : narrow_(settings.encoding == Encoding::kCp949) {
  const std::string path =
      settings.filter.list
          ? *settings.filter.list
          : DefaultWordListPath(narrow_ ? WordListFormat::kNarrow : WordListFormat::kWide);
  LegacyWordList words;
  if (LoadWordListFile(words, path, BinaryFormatOf(path)) == 0) {
    throw std::runtime_error(LoadFailureMessage(path));
  }
  filter_ = BadChatMan(std::move(words));
}

std::optional<Screening> InPlaceScreener::Screen(const Text& text) {
  if (!FitsLegacyInterface(text)) return std::nullopt;
  Screening screening;
  if (narrow_) {
    std::vector<char> buffer(text.bytes.begin(), text.bytes.end());
    buffer.push_back('\0');
    filter_.ReplaceStripped(buffer.data(), buffer.data());
    screening.masked = buffer.data();
    return screening;
  }
  const auto wide = WideLegacyText(text);
  if (!wide) return std::nullopt;
  std::vector<char16_t> buffer(wide->c_str(), wide->c_str() + wide->size() + 1);
  filter_.ReplaceStrippedW(buffer.data(), buffer.data());
  screening.masked = platform::Utf16ToUtf8(buffer.data());
  return screening;
}

}  // namespace chatsieve::tool
