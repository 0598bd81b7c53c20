// Telling a narrow word-list file from a wide one by where its signature stands.
#pragma once

#include <string>

namespace chatsieve::tool {

enum class WordListFormat { kNarrow, kWide, kUnknown };

WordListFormat WordListFormatOf(const std::string& path);

}  // namespace chatsieve::tool
