#include "legacy_text.h"

#include <cstdint>
#include <cstdio>

#include "text/utf8.h"

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

}  // namespace chatsieve::tool
