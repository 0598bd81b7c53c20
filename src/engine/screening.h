// Screening a text against compiled words: is there a word, where is every one, and the
// text with them masked. One body serves UTF-8 and UTF-16 through the encoding's traits.
//
// An occurrence of a forbidden word is reported unless it lies wholly inside an
// occurrence of an allowed word. Positions are in the caller's units. Texts the options
// rewrite are read in pieces (text_pieces.h), so that screening a long text costs memory
// bounded by a piece beside what it reports.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "engine/key_index.h"
#include "engine/korean/lookalike_table.h"
#include "engine/match_options.h"
#include "engine/text_pieces.h"

namespace chatsieve {

// The forbidden words a filter's policy counts, one bit a word.
class WordSet {
 public:
  explicit WordSet(size_t words) : bits_((words + 63) / 64, 0) {}
  void Add(uint32_t word) { bits_[word / 64] |= uint64_t{1} << (word % 64); }
  bool Holds(uint32_t word) const { return (bits_[word / 64] >> (word % 64) & 1) != 0; }

 private:
  std::vector<uint64_t> bits_;
};

struct ScreeningWords {
  const KeyIndex& forbidden;
  const KeyIndex& allowed;
  MatchOptions options;
  const WordSet* counted = nullptr;  // null: every forbidden word counts
  PieceSize pieces = {};
  // The shapes the words were compiled with, for CHATSIEVE_LOOKALIKE.
  const LookalikeTable* lookalikes = &BuiltinLookalikes();
};

struct Occurrence {
  size_t begin;
  size_t end;
  uint32_t word;
};

// How much of an occurrence masking covers.
enum class MatchMaskStyle {
  kWhole,
  kKeepFirst,
};

// A caller's buffer that masking writes into: every unit up to its capacity, and the
// count of all, so that a caller whose buffer is too small learns the size it needs.
template <typename Unit>
class BoundedOutput {
 public:
  BoundedOutput(Unit* out, size_t capacity) : out_(out), capacity_(capacity) {}

  void Append(std::basic_string_view<Unit> units) {
    if (length_ < capacity_) {
      const size_t room = std::min(units.size(), capacity_ - length_);
      std::copy_n(units.data(), room, out_ + length_);
    }
    length_ += units.size();
  }
  size_t Length() const { return length_; }
  bool Fits() const { return length_ <= capacity_; }

 private:
  Unit* out_;
  size_t capacity_;
  size_t length_ = 0;
};

template <typename Encoding>
bool HoldsWord(const ScreeningWords& words, std::basic_string_view<typename Encoding::Unit> text);

// Every occurrence, ordered by begin, end and word, into `out` (cleared first).
template <typename Encoding>
void FindWords(const ScreeningWords& words, std::basic_string_view<typename Encoding::Unit> text,
               std::vector<Occurrence>& out);

// As FindWords, and returns a hash of the text from unit `from` (a character's start) on
// as the options read it, for telling a repeated message in the same pass.
template <typename Encoding>
uint64_t FindWordsAndReadHash(const ScreeningWords& words,
                              std::basic_string_view<typename Encoding::Unit> text, size_t from,
                              std::vector<Occurrence>& out);

// The hash FindWordsAndReadHash gives, without looking for words.
template <typename Encoding>
uint64_t ReadHash(const ScreeningWords& words, std::basic_string_view<typename Encoding::Unit> text,
                  size_t from);

// Writes the text from unit `from` (a character's start) on, with every character of
// every occurrence replaced by `mask`, into `out`; the text before `from` is read, not
// written. Returns true when anything written was masked.
template <typename Encoding>
bool MaskWords(const ScreeningWords& words, std::basic_string_view<typename Encoding::Unit> text,
               char32_t mask, MatchMaskStyle style, BoundedOutput<typename Encoding::Unit>& out,
               size_t from = 0);

// The same into a string, for callers that keep no buffer of their own: it screens twice.
template <typename Encoding>
bool MaskWords(const ScreeningWords& words, std::basic_string_view<typename Encoding::Unit> text,
               char32_t mask, MatchMaskStyle style,
               std::basic_string<typename Encoding::Unit>& out) {
  BoundedOutput<typename Encoding::Unit> measured(nullptr, 0);
  MaskWords<Encoding>(words, text, mask, style, measured);
  out.resize(measured.Length());
  BoundedOutput<typename Encoding::Unit> written(out.data(), out.size());
  return MaskWords<Encoding>(words, text, mask, style, written);
}

}  // namespace chatsieve
