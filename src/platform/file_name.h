// File names given as UTF-16 text, opened on a system whose file names are bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace chatsieve::platform {

// The UTF-8 bytes of a UTF-16 file name; none when it holds a lone surrogate, which no
// UTF-8 name can stand for.
std::optional<std::string> FileNameFromUtf16(std::u16string_view name);

}  // namespace chatsieve::platform
