// What the legacy interfaces take: terminated text whose size fits their 32-bit counts,
// and for the wide ones UTF-16. Texts that cannot be given to them are reported on
// standard error, naming the line, rather than screened in part.
#pragma once

#include <optional>
#include <string>

#include "text_source.h"

namespace chatsieve::tool {

// False, reported, for a text holding a zero byte or too long for the exports' counts.
bool FitsLegacyInterface(const Text& text);

// The text as UTF-16; nothing, reported, when it is not UTF-8.
std::optional<std::u16string> WideLegacyText(const Text& text);

}  // namespace chatsieve::tool
