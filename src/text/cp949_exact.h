// Code page 949 for text that must come back unchanged: no '?' stand-ins.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace chatsieve::platform {

// The code page 949 bytes of `text`, or none when they would not decode to the same
// units (a character code page 949 lacks, a lone surrogate, U+FFFD).
std::optional<std::string> EncodeCp949Exactly(std::u16string_view text);

}  // namespace chatsieve::platform
