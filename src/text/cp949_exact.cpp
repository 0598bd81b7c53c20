#include "text/cp949_exact.h"

#include <climits>

#include "text/cp949.h"

namespace chatsieve::platform {

std::optional<std::string> EncodeCp949Exactly(std::u16string_view text) {
  if (text.empty()) return std::string();
  if (text.size() > INT32_MAX) return std::nullopt;
  const auto length = static_cast<int32_t>(text.size());
  const int32_t size = EncodeCp949(text.data(), length, nullptr, 0);
  if (size <= 0) return std::nullopt;
  std::string bytes(static_cast<size_t>(size), '\0');
  EncodeCp949(text.data(), length, bytes.data(), size);
  // Decoding never makes a text longer, so as many units as bytes always suffice.
  std::u16string back(bytes.size(), u'\0');
  back.resize(static_cast<size_t>(DecodeCp949(bytes.data(), size, back.data(), size)));
  if (back != text) return std::nullopt;
  return bytes;
}

}  // namespace chatsieve::platform
