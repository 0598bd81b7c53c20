// The legacy exports' list, and what they take: terminated text whose size fits their 32-bit
// counts, and for the wide ones UTF-16. Texts that cannot be given to them are reported on standard
// error, naming the line, rather than screened in part.
#pragma once

#include <optional>
#include <string>

#include "screening_settings.h"
#include "text_source.h"

namespace chatsieve::tool {

// Loads the list through the loading exports (without --list, with a null path: the one
// beside the library for the encoding). Throws std::runtime_error when it does not load.
void LoadLegacyList(const ScreeningSettings& settings);

// False, reported, for a text holding a zero byte or too long for the exports' counts.
bool FitsLegacyInterface(const Text& text);

// The text as UTF-16; nothing, reported, when it is not UTF-8.
std::optional<std::u16string> WideLegacyText(const Text& text);

}  // namespace chatsieve::tool
