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

// Allowed words under a filter's options: read with AllowedWordOptions and, with the
// spaces option, also as the text reads them when a syllable touches an end (몇 년
// covers 몇 년이 as well as 몇 년 전). Throws as CompileWords.
std::shared_ptr<const CompiledWords> CompileAllowedWords(WordList words, MatchOptions options);

}  // namespace chatsieve
