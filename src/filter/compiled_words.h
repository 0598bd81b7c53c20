// One role's words in a filter's snapshot: the listed words and the index of every key
// the filter's options derive from them.
#pragma once

#include <memory>

#include "dictionary/key_index.h"
#include "dictionary/word_list.h"
#include "matching/match_options.h"

namespace chatsieve {

struct CompiledWords {
  WordList words;
  KeyIndex index;
};

// Throws std::bad_alloc and std::length_error.
std::shared_ptr<const CompiledWords> CompileWords(WordList words, MatchOptions options);

}  // namespace chatsieve
