// Where a filter's words come from: a UTF-8 word list in memory or in a file, or either
// binary word-list file, told apart from a UTF-8 list by its content.
#pragma once

#include <string>
#include <string_view>

#include "dictionary/word_list.h"

namespace chatsieve {

// Throw LoadFailure; `name` is how messages call the list.
WordList WordsOfText(std::string_view list, const std::string& name);
WordList WordsOfFile(const std::string& path);

}  // namespace chatsieve
