#include "word_list_source.h"

#include <fstream>
#include <stdexcept>
#include <string_view>

#include "platform/utf8.h"

namespace chatsieve::tool {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

WordListSource ReadWordList(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot open " + path);
  WordListSource source;
  std::string line;
  for (size_t number = 1; std::getline(in, line); ++number) {
    if (number == 1 && line.starts_with(kByteOrderMark)) line.erase(0, kByteOrderMark.size());
    if (line.ends_with('\r')) line.pop_back();
    if (IsBlank(line) || line.starts_with('#')) continue;
    const std::string where = path + ":" + std::to_string(number) + ": ";
    auto text = platform::Utf8ToUtf16(line);
    if (!text) {
      source.problems.push_back(where + "not valid UTF-8");
    } else if (text->find(u'\0') != std::u16string::npos) {
      source.problems.push_back(where + "holds a zero character");
    } else {
      source.words.push_back({number, std::move(*text)});
    }
  }
  if (in.bad()) throw std::runtime_error("cannot read " + path);
  return source;
}

}  // namespace chatsieve::tool
