#include "legacy_text.h"

#include <cstdint>
#include <cstdio>
#include <stdexcept>

#include "chatsieve/chatsieve.h"
#include "default_word_list.h"
#include "text/utf8.h"
#include "word_list_format.h"

namespace chatsieve::tool {
namespace {

void Report(const Text& text, const char* problem) {
  std::fprintf(stderr, "chatsieve: %s %s\n", text.Where().c_str(), problem);
}

}  // namespace

bool FitsLegacyInterface(const Text& text) {
  if (text.bytes.find('\0') != std::string_view::npos) {
    Report(text, "holds a zero byte, which the legacy interface takes as the end of the text");
    return false;
  }
  // The masking exports take the buffer's capacity, one past the text, as an int32_t.
  if (text.bytes.size() >= INT32_MAX) {
    Report(text, "is too long for the legacy interface");
    return false;
  }
  return true;
}

std::optional<std::u16string> WideLegacyText(const Text& text) {
  auto wide = platform::Utf8ToUtf16(text.bytes);
  if (!wide) Report(text, "is not UTF-8");
  return wide;
}

void LoadLegacyList(const ScreeningSettings& settings) {
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

}  // namespace chatsieve::tool
