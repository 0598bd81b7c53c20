// Long texts are read in pieces under the filter's options, so that the characters read
// cost memory bounded by a piece, not by the text, and a check stops at the piece holding
// the first word. A piece ends where no reading joins, drops or merges characters across
// the end: between two of four letters in a row (Hangul syllables or ASCII letters) whose
// third does not draw out or repeat the second, and where look-alike shapes are read,
// neither of the two is an ASCII letter of a shape. Read piece by piece, such a text reads
// as it does whole. Where no such place comes within kPieceSlack units, the piece ends
// there anyway: only a text with no four letters in a row over that stretch can read a
// little differently around that end.
#pragma once

#include <cstddef>
#include <string_view>

#include "engine/korean/lookalike_table.h"

namespace chatsieve {

// How long a piece is: `units`, and up to `slack` more where its end is looked for.
// Texts up to units + slack are read whole. Tests make pieces short.
struct PieceSize {
  size_t units = 4096;
  size_t slack = 1024;
};

// Where the piece that starts at `from` (a character's start) ends: the text's size when
// the rest is short enough to read whole. `lookalikes`: the shapes read, or null.
template <typename Encoding>
size_t PieceEnd(std::basic_string_view<typename Encoding::Unit> text, size_t from, PieceSize size,
                const LookalikeTable* lookalikes);

}  // namespace chatsieve
