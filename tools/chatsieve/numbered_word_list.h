// The UTF-8 word list `chatsieve compile` reads, read as the filter reads it, with the
// line each word stands on.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "wordfile/word_list.h"

namespace chatsieve::tool {

struct NumberedWordList {
  WordList words;
  std::vector<size_t> lines;  // of each word, 1-based
  bool usable = true;         // false when a line holds no usable word
};

// Reports each line that holds no usable word on standard error as "PATH:LINE: why".
// Throws std::runtime_error, with the system's reason, when the file cannot be read.
NumberedWordList ReadNumberedWordList(const std::string& path);

}  // namespace chatsieve::tool
