// Listed words as a filter keeps them: every word's UTF-8 text in one block, found by
// its index among the list's entries.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace chatsieve {

class WordList {
 public:
  // Throws std::length_error past 4 GiB of text in all, std::bad_alloc.
  void Add(std::string_view word);

  size_t Size() const { return ends_.size(); }
  std::string_view operator[](size_t index) const {
    const uint32_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(block_).substr(begin, ends_[index] - begin);
  }
  size_t MemoryBytes() const { return block_.capacity() + ends_.capacity() * sizeof(uint32_t); }

 private:
  std::string block_;
  std::vector<uint32_t> ends_;
};

// What stops a word list from loading, and where.
struct WordListProblem {
  size_t line = 0;  // 1-based; 0 when the problem is not on one line
  std::string reason;
};

// Reads a UTF-8 word list: one word a line; blank lines and lines that start with '#'
// are skipped; a byte-order mark and CR LF line ends are tolerated. Every line that
// holds no usable word (not UTF-8, or a zero byte) is reported; the words of the
// other lines are added to `words` in order.
std::vector<WordListProblem> ReadWordListText(std::string_view text, WordList& words);

}  // namespace chatsieve
