// Reading words and texts alike under a filter's options, character by character.
#pragma once

#include "engine/korean/lookalike_table.h"
#include "engine/match_options.h"
#include "engine/text_char.h"

namespace chatsieve {

// Rewrites characters already read (case folded) as the options read them, look-alike
// shapes as `lookalikes` says.
void PrepareChars(MatchOptions options, const LookalikeTable& lookalikes, TextChars& chars);

// Reads `text` as the options read it: ReadTextChars, then PrepareChars.
template <typename Encoding>
void ReadPreparedChars(MatchOptions options, const LookalikeTable& lookalikes,
                       std::basic_string_view<typename Encoding::Unit> text, TextChars& chars);

// The separator rule: characters other than letters, digits, Hangul syllables and the
// space are left out, and of a run of spaces only the first stays.
void SkipSeparators(TextChars& chars);

}  // namespace chatsieve
