// The shapes people write for jamo and syllables (人 for ㅅ, H for ㅐ, 18 for 씨발), as a
// table read from text: a built-in one (data/lexicon/ko/lookalikes.txt, compiled in) and
// a host's own added to it.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "wordfile/word_list.h"

namespace chatsieve {

enum class ShapeKind : uint8_t {
  kConsonant,  // read as one consonant jamo
  kVowel,      // read as one vowel jamo
  kNumber,     // digits read as the syllables they sound like
};

struct LookalikeShape {
  std::u32string shape;  // folded as the text is read (A-Z as a-z)
  ShapeKind kind;
  std::u32string read_as;  // one jamo, or a number's syllables (at most one a digit)
};

// The most characters a shape may have.
inline constexpr size_t kMaxShapeLength = 4;
// The most shapes a table may hold: far more than any real table.
inline constexpr size_t kMaxShapes = 4096;

// What characters may begin a shape, small enough to copy into a scan's registers. It
// refers to its table's list of other first characters.
class ShapeStarts {
 public:
  ShapeStarts(const std::array<uint64_t, 2>& ascii, const std::vector<char32_t>& others)
      : ascii_(ascii),
        lowest_other_(others.empty() ? 1 : others.front()),
        other_span_(others.empty() ? 0 : others.back() - others.front()),
        others_(&others) {}

  // Without a branch on the character's kind: a scan over Hangul and spaces would
  // mispredict one at every word.
  bool MayStart(char32_t c) const {
    const uint64_t ascii = (ascii_[(c >> 6) & 1] >> (c & 63)) & uint64_t{c < 128};
    const uint64_t other = uint64_t{c - lowest_other_ <= other_span_};
    return (ascii | other) != 0 && (ascii != 0 || MayStartOther(c));
  }

 private:
  bool MayStartOther(char32_t c) const;

  std::array<uint64_t, 2> ascii_;
  char32_t lowest_other_;
  char32_t other_span_;
  const std::vector<char32_t>* others_;  // sorted
};

class LookalikeTable {
 public:
  // Adds the shapes of a table text: lines SHAPE<TAB>READ_AS, blank lines and lines
  // starting with '#' skipped, CR LF and a byte-order mark tolerated. A shape the table
  // already holds is read as the new line says. Lines that hold no usable shape are
  // reported and left out; the others are added. Throws std::bad_alloc.
  std::vector<WordListProblem> Add(std::string_view text);

  // Whether a character may begin a shape: cheap, for the texts that hold none.
  bool MayStart(char32_t c) const { return Starts().MayStart(c); }
  ShapeStarts Starts() const { return ShapeStarts(ascii_starts_, other_starts_); }
  // Whether an ASCII character is part of any shape.
  bool HoldsAscii(char32_t c) const { return c < 128 && ((ascii_chars_[c >> 6] >> (c & 63)) & 1); }

  // The longest shape that `next(k)` spells for k = 0, 1, ... (at most `available`
  // characters), or null; `next` gives folded code points.
  template <typename Next>
  const LookalikeShape* LongestAt(Next next, size_t available) const;

  const std::vector<LookalikeShape>& Shapes() const { return shapes_; }
  // The syllables every number reads as, each once, in the table's order.
  const std::vector<std::u32string>& NumberReadings() const { return number_readings_; }

 private:
  const LookalikeShape* Find(std::u32string_view shape) const;
  void Put(LookalikeShape shape);
  // Rebuilds what the lookups use from the shapes.
  void Index();

  std::vector<LookalikeShape> shapes_;  // ordered by shape
  std::vector<std::u32string> number_readings_;
  std::vector<char32_t> other_starts_;  // sorted
  std::array<uint64_t, 2> ascii_starts_{};
  std::array<uint64_t, 2> ascii_chars_{};
};

template <typename Next>
const LookalikeShape* LookalikeTable::LongestAt(Next next, size_t available) const {
  std::u32string_view::value_type spelt[kMaxShapeLength];
  const size_t most = available < kMaxShapeLength ? available : kMaxShapeLength;
  for (size_t k = 0; k < most; ++k)
    spelt[k] = next(k);
  for (size_t length = most; length > 0; --length) {
    if (const LookalikeShape* found = Find(std::u32string_view(spelt, length))) return found;
  }
  return nullptr;
}

// The table of data/lexicon/ko/lookalikes.txt, read once.
const LookalikeTable& BuiltinLookalikes();

// The text of that table, as compiled in.
std::string_view BuiltinLookalikeText();

}  // namespace chatsieve
