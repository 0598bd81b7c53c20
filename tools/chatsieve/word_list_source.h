// The UTF-8 word lists the tool compiles: one word a line; blank lines and lines that
// start with '#' are skipped; a trailing CR (from a CR LF line end) is dropped.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace chatsieve::tool {

struct SourceWord {
  size_t line;
  std::u16string text;
};

struct WordListSource {
  std::vector<SourceWord> words;
  // One message per line that holds no usable word, naming the line.
  std::vector<std::string> problems;
};

// Throws std::runtime_error when the file cannot be read.
WordListSource ReadWordList(const std::string& path);

}  // namespace chatsieve::tool
