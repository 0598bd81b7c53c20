// Listed words as a filter keeps them: every word's UTF-8 text in one block, found by
// its index among the list's entries, each with what the list says of it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace chatsieve {

// The longest word a list may hold, in characters: far more than any real entry, and a
// bound on what one line can cost to compile.
inline constexpr size_t kMaxWordLength = 256;

// Where an occurrence of a word counts.
enum class WordPlace : uint8_t {
  kAnywhere,  // inside any text, as a substring
  kStart,     // only where it begins a word of the text
  kWhole,     // only where it is a word of the text, perhaps with a particle after it
  kEnd,       // only where it ends a word of the text, as a whole word does (돼지년)
};

inline constexpr int kLeastSeverity = 1;
inline constexpr int kDefaultSeverity = 2;
inline constexpr int kGreatestSeverity = 3;

// What a list says of one word. Category 0 is "none".
struct WordTraits {
  uint8_t severity = kDefaultSeverity;
  WordPlace place = WordPlace::kAnywhere;
  uint16_t category = 0;
};

class WordList {
 public:
  WordList();

  // Throws std::length_error past 4 GiB of text in all, std::bad_alloc.
  void Add(std::string_view word, WordTraits traits = {});
  // The number of a category name, added when new. Throws std::length_error when a list
  // names more categories than a word can refer to.
  uint16_t CategoryNumber(std::string_view name);

  size_t Size() const { return ends_.size(); }
  std::string_view operator[](size_t index) const {
    const uint32_t begin = index == 0 ? 0 : ends_[index - 1];
    return std::string_view(block_).substr(begin, ends_[index] - begin);
  }
  const WordTraits& Traits(size_t index) const { return traits_[index]; }
  // Category names are kept for the life of the process, so that a name handed to a host
  // stays valid whatever loads follow.
  const std::string& CategoryName(uint16_t category) const { return *categories_[category]; }
  size_t CategoryCount() const { return categories_.size(); }
  size_t MemoryBytes() const;

 private:
  std::string block_;
  std::vector<uint32_t> ends_;
  std::vector<WordTraits> traits_;
  std::vector<const std::string*> categories_;
  std::unordered_map<const std::string*, uint16_t> category_numbers_;
};

// The name a list gives a place: "anywhere", "start", "whole", "end".
std::string_view PlaceName(WordPlace place);

// A category's name: 1 to 64 ASCII letters, digits, '-' and '_'.
bool IsCategoryName(std::string_view name);

// The names of a comma-separated list ("" names none), or nothing when one is not a
// category's name.
std::optional<std::vector<std::string>> CategoryNames(std::string_view list);

// What stops a line of a word list from loading, and where.
struct WordListProblem {
  size_t line = 0;  // 1-based; 0 when the problem is not on one line
  std::string reason;
};

struct WordListReading {
  std::vector<WordListProblem> problems;
  std::vector<uint32_t> lines;  // the line of each word added, 1-based
};

// Reads a UTF-8 word list: a line is a word, or a word and up to three fields after
// tabs (category, severity, where: anywhere, start, whole or end); blank lines and lines that start
// with '#' are skipped; a byte-order mark is dropped wherever it stands, and CR LF line ends are
// tolerated. Every line that holds no usable word (not UTF-8, a zero byte, too long, a
// field out of range) is reported; the words of the other lines are added to `words`
// in order.
WordListReading ReadWordListText(std::string_view text, WordList& words);

}  // namespace chatsieve
