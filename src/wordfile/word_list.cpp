#include "wordfile/word_list.h"

#include <algorithm>
#include <array>
#include <functional>
#include <mutex>
#include <optional>
#include <set>
#include <stdexcept>

#include "text/utf8.h"
#include "wordfile/list_lines.h"

namespace chatsieve {
namespace {

constexpr std::string_view kByteOrderMark =
    ListLines::kByteOrderMark;  // dropped anywhere in a word
constexpr size_t kMaxCategoryLength = 64;
constexpr size_t kMaxFields = 4;

bool IsBlank(std::string_view line) {
  return line.find_first_not_of(" \t") == std::string_view::npos;
}

size_t CharacterCount(std::string_view utf8) {
  return static_cast<size_t>(std::count_if(utf8.begin(), utf8.end(), [](char byte) {
    return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
  }));
}

std::string WithoutByteOrderMarks(std::string_view line) {
  std::string kept;
  for (size_t at = 0;;) {
    const size_t mark = line.find(kByteOrderMark, at);
    kept.append(line.substr(at, mark - at));
    if (mark == std::string_view::npos) return kept;
    at = mark + kByteOrderMark.size();
  }
}

constexpr std::array<WordPlace, 4> kPlaces = {WordPlace::kAnywhere, WordPlace::kStart,
                                              WordPlace::kWhole, WordPlace::kEnd};

std::optional<WordPlace> PlaceNamed(std::string_view name) {
  if (name.empty()) return WordPlace::kAnywhere;
  for (const WordPlace place : kPlaces) {
    if (PlaceName(place) == name) return place;
  }
  return std::nullopt;
}

// A line's word and its fields, or the reason it has none.
struct ParsedLine {
  std::string word;
  std::array<std::string_view, kMaxFields - 1> fields;
  std::string problem;
};

ParsedLine ParseLine(std::string_view line) {
  ParsedLine parsed;
  if (line.find('\0') != std::string_view::npos) {
    parsed.problem = "holds a zero byte";
    return parsed;
  }
  if (!platform::IsUtf8(line)) {
    parsed.problem = "not valid UTF-8";
    return parsed;
  }
  const size_t tab = line.find('\t');
  parsed.word = WithoutByteOrderMarks(line.substr(0, tab));
  if (parsed.word.empty()) {
    parsed.problem = "no word before the fields";
  } else if (CharacterCount(parsed.word) > kMaxWordLength) {
    parsed.problem =
        "the word is longer than the limit of " + std::to_string(kMaxWordLength) + " characters";
  }
  if (tab == std::string_view::npos) return parsed;
  std::string_view rest = line.substr(tab + 1);
  for (size_t field = 0;; ++field) {
    if (field == parsed.fields.size()) {
      if (parsed.problem.empty())
        parsed.problem = "more than three fields after the word (category, severity, where)";
      return parsed;
    }
    const size_t next = rest.find('\t');
    parsed.fields[field] = rest.substr(0, next);
    if (next == std::string_view::npos) return parsed;
    rest.remove_prefix(next + 1);
  }
}

}  // namespace

std::string_view PlaceName(WordPlace place) {
  switch (place) {
    case WordPlace::kAnywhere:
      return "anywhere";
    case WordPlace::kStart:
      return "start";
    case WordPlace::kWhole:
      return "whole";
    case WordPlace::kEnd:
      return "end";
  }
  return "anywhere";
}

bool IsCategoryName(std::string_view name) {
  return !name.empty() && name.size() <= kMaxCategoryLength &&
         std::all_of(name.begin(), name.end(), [](char c) {
           return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                  c == '-' || c == '_';
         });
}

std::optional<std::vector<std::string>> CategoryNames(std::string_view list) {
  std::vector<std::string> names;
  while (!list.empty()) {
    const size_t comma = list.find(',');
    const std::string_view name = list.substr(0, comma);
    if (!IsCategoryName(name)) return std::nullopt;
    names.emplace_back(name);
    if (comma == std::string_view::npos) break;
    list.remove_prefix(comma + 1);
    if (list.empty()) return std::nullopt;
  }
  return names;
}

// Every category name any list has used, each kept once for the life of the process, and
// at most so many: they are few in any real list.
constexpr size_t kMostCategoryNames = 65536;

const std::string& KeptCategoryName(std::string_view name) {
  static std::mutex keeping;
  // Never freed: a name stays valid for a host that holds it while the process ends.
  static auto* const names = new std::set<std::string, std::less<>>{""};
  const std::lock_guard lock(keeping);
  const auto known = names->find(name);
  if (known != names->end()) return *known;
  if (names->size() >= kMostCategoryNames)
    throw std::length_error("more category names than a process keeps");
  return *names->emplace(name).first;
}

WordList::WordList() : categories_{&KeptCategoryName("")} {}

void WordList::Add(std::string_view word, WordTraits traits) {
  if (word.size() > UINT32_MAX - block_.size() || ends_.size() >= UINT32_MAX)
    throw std::length_error("word list too large");
  block_.append(word);
  ends_.push_back(static_cast<uint32_t>(block_.size()));
  traits_.push_back(traits);
}

uint16_t WordList::CategoryNumber(std::string_view name) {
  if (name.empty()) return 0;
  const std::string* kept = &KeptCategoryName(name);
  const auto known = category_numbers_.find(kept);
  if (known != category_numbers_.end()) return known->second;
  if (categories_.size() > UINT16_MAX) throw std::length_error("too many categories");
  categories_.push_back(kept);
  category_numbers_.emplace(kept, static_cast<uint16_t>(categories_.size() - 1));
  return static_cast<uint16_t>(categories_.size() - 1);
}

size_t WordList::MemoryBytes() const {
  size_t bytes = block_.capacity() + ends_.capacity() * sizeof(uint32_t) +
                 traits_.capacity() * sizeof(WordTraits);
  bytes += categories_.capacity() * sizeof(const std::string*) +
           category_numbers_.size() * (sizeof(const std::string*) + sizeof(uint16_t) + 16);
  return bytes;
}

WordListReading ReadWordListText(std::string_view text, WordList& words) {
  WordListReading reading;
  std::string_view line;
  for (ListLines lines(text); lines.Next(line);) {
    const size_t number = lines.Number();
    if (IsBlank(line) || line.starts_with('#')) continue;
    ParsedLine parsed = ParseLine(line);
    const auto [category, severity, place_name] = parsed.fields;
    const std::optional<WordPlace> place = PlaceNamed(place_name);
    if (parsed.problem.empty() && !category.empty() && !IsCategoryName(category)) {
      parsed.problem = "category must be up to 64 ASCII letters, digits, '-' or '_'";
    } else if (parsed.problem.empty() && !severity.empty() && severity != "1" && severity != "2" &&
               severity != "3") {
      parsed.problem = "severity must be 1, 2 or 3";
    } else if (parsed.problem.empty() && !place) {
      parsed.problem = "where must be anywhere, start, whole or end";
    }
    if (!parsed.problem.empty()) {
      reading.problems.push_back({number, std::move(parsed.problem)});
      continue;
    }
    WordTraits traits;
    traits.place = *place;
    if (!severity.empty()) traits.severity = static_cast<uint8_t>(severity[0] - '0');
    traits.category = words.CategoryNumber(category);
    words.Add(parsed.word, traits);
    reading.lines.push_back(static_cast<uint32_t>(std::min<size_t>(number, UINT32_MAX)));
  }
  return reading;
}

}  // namespace chatsieve
