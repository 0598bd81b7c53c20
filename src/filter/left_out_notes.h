// What a load says of the entries it left out or merged, for the caller's message.
#pragma once

#include <string>
#include <vector>

#include "filter/compiled_words.h"
#include "filter/word_source.h"

namespace chatsieve {

// One entry's note: "words.txt:7: the filter's options leave nothing of this entry: left
// out".
std::string NoteOf(const ListedWords& listed, const LeftOutEntry& entry);

// The notes, one a line, as many as fit in `capacity` bytes with a terminator, and then
// how many more there are; empty when there are none.
std::string LeftOutNotes(const ListedWords& listed, const std::vector<LeftOutEntry>& left_out,
                         size_t capacity);

}  // namespace chatsieve
