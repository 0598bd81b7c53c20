#include "platform/file_name.h"

#include "text/utf8.h"

namespace chatsieve::platform {

std::optional<std::string> FileNameFromUtf16(std::u16string_view name) {
  std::string bytes = Utf16ToUtf8(name);
  // Lone surrogates come out as U+FFFD, so the way back tells them apart.
  const auto back = Utf8ToUtf16(bytes);
  if (!back || *back != name) return std::nullopt;
  return bytes;
}

}  // namespace chatsieve::platform
