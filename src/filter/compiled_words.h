// One role's words in a filter's snapshot: the listed words and the index of every key
// the filter's options derive from them.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "engine/key_index.h"
#include "engine/korean/lookalike_table.h"
#include "engine/match_options.h"
#include "wordfile/word_list.h"

namespace chatsieve {

struct CompiledWords {
  WordList words;
  KeyIndex index;
};

// An entry that compiles to no keys of its own, and why.
struct LeftOutEntry {
  enum class Reason {
    kSameAsEarlier,  // read as an earlier entry is: one word, the earlier one
    kReadAsOneChar,  // read as a single character it did not consist of alone
    kReadAsNothing,  // the options leave nothing of it
  };
  uint32_t word;
  Reason reason;
  uint32_t earlier;  // for kSameAsEarlier
};

struct Compilation {
  std::shared_ptr<const CompiledWords> compiled;
  std::vector<LeftOutEntry> left_out;
};

// Words under a filter's options, look-alike shapes read as `lookalikes` says (the text
// must be read with the same table). Throws std::bad_alloc and std::length_error.
Compilation CompileWords(WordList words, MatchOptions options,
                         const LookalikeTable& lookalikes = BuiltinLookalikes());

// Allowed words under a filter's options: read with AllowedWordOptions and, with the
// spaces option, also as the text reads them when a syllable touches an end (몇 년
// covers 몇 년이 as well as 몇 년 전). Throws as CompileWords.
Compilation CompileAllowedWords(WordList words, MatchOptions options,
                                const LookalikeTable& lookalikes = BuiltinLookalikes());

}  // namespace chatsieve
