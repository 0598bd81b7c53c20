#include "dictionary/word_list.h"

#include <stdexcept>

#include "platform/utf8.h"

namespace chatsieve {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

}  // namespace

void WordList::Add(std::string_view word) {
  if (word.size() > UINT32_MAX - block_.size()) throw std::length_error("word list too large");
  block_.append(word);
  ends_.push_back(static_cast<uint32_t>(block_.size()));
}

std::vector<WordListProblem> ReadWordListText(std::string_view text, WordList& words) {
  std::vector<WordListProblem> problems;
  if (text.starts_with(kByteOrderMark)) text.remove_prefix(kByteOrderMark.size());
  for (size_t number = 1; !text.empty(); ++number) {
    const size_t newline = text.find('\n');
    std::string_view line = text.substr(0, newline);
    text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
    if (line.ends_with('\r')) line.remove_suffix(1);
    if (IsBlank(line) || line.starts_with('#')) continue;
    if (line.find('\0') != std::string_view::npos) {
      problems.push_back({number, "holds a zero byte"});
    } else if (!platform::IsUtf8(line)) {
      problems.push_back({number, "not valid UTF-8"});
    } else {
      words.Add(line);
    }
  }
  return problems;
}

}  // namespace chatsieve
