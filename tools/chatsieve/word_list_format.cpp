#include "word_list_format.h"

#include <array>
#include <fstream>
#include <string_view>

#include "dictionary/word_file_format.h"

namespace chatsieve::tool {

WordListFormat WordListFormatOf(const std::string& path) {
  std::array<char, kSignature.size() + 1> head{};
  std::ifstream file(path, std::ios::binary);
  if (!file.read(head.data(), head.size())) return WordListFormat::kUnknown;
  const std::string_view bytes(head.data(), head.size());
  if (bytes.substr(0, kSignature.size()) == kSignature && head.back() == '\0') {
    return WordListFormat::kWide;
  }
  if (bytes.substr(1) == kSignature) return WordListFormat::kNarrow;
  return WordListFormat::kUnknown;
}

}  // namespace chatsieve::tool
