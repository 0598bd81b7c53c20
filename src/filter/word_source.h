// Where a filter's words come from: a UTF-8 word list in memory or in a file, or either
// binary word-list file, told apart from a UTF-8 list by its content.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "engine/korean/lookalike_table.h"
#include "wordfile/word_list.h"

namespace chatsieve {

// A list's words as read, with where each stands in it, for messages about them.
struct ListedWords {
  WordList words;
  std::vector<uint32_t> places;  // each word's line, or its record in a binary file (1-based)
  std::string name;              // how messages call the list
  bool binary = false;

  // "words.txt:3", or "filter.bcd: word 3" for a record of a binary file.
  std::string PlaceOf(size_t word) const;
};

// Throw LoadFailure.
ListedWords WordsOfText(std::string_view list, const std::string& name);
ListedWords WordsOfFile(const std::string& path);

// The built-in look-alike table with the shapes of a table file added. Throws
// LoadFailure.
std::shared_ptr<const LookalikeTable> LookalikesOfFile(const std::string& path);

}  // namespace chatsieve
