// Positions in a valid UTF-8 text as code points, the unit in which a JSON text is made
// of characters whatever the client's own string type.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>
#include <vector>

namespace chatsieve::tool {

class CodePointPositions {
 public:
  // `offsets`: byte offsets in `text`, each at the start of a character or at its end, in
  // any order. Costs time linear in the text and the offsets.
  CodePointPositions(std::string_view text, std::vector<size_t> offsets);

  // The code points before a byte offset given to the constructor.
  size_t At(size_t byte_offset) const;

 private:
  std::vector<size_t> bytes_;   // sorted, distinct
  std::vector<size_t> points_;  // for each of bytes_
};

// The code points of a text that starts at the start of a character.
size_t CodePointsIn(std::string_view text);

// The code point a text of exactly one character holds; nothing otherwise.
std::optional<char32_t> OnlyCodePoint(std::string_view text);

}  // namespace chatsieve::tool
