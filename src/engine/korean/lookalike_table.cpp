#include "engine/korean/lookalike_table.h"

#include <algorithm>
#include <optional>

#include "engine/text_char.h"
#include "text/hangul.h"
#include "text/unicode_text.h"
#include "wordfile/list_lines.h"

namespace chatsieve {
namespace {

bool IsAsciiLetterOrDigit(char32_t c) {
  return IsLatinLetter(c) || c - U'0' < 10;
}

bool IsDigits(std::u32string_view text) {
  return std::all_of(text.begin(), text.end(), [](char32_t c) { return c - U'0' < 10; });
}

bool IsHangul(char32_t c) {
  return platform::IsSyllable(c) || (c >= 0x1100 && c <= 0x11FF) || (c >= 0x3130 && c <= 0x318F) ||
         (c >= 0xFFA0 && c <= 0xFFDC);
}

// The code points of a UTF-8 field, folded, or nothing when it is not UTF-8.
std::optional<std::u32string> Decoded(std::string_view field) {
  std::u32string out;
  for (size_t at = 0; at < field.size();) {
    const DecodedChar c = Utf8::Decode(field.data() + at, field.size() - at);
    if (c.code_point == kInvalidChar) return std::nullopt;
    out.push_back(FoldCase(c.code_point));
    at += c.units;
  }
  return out;
}

// Why a shape cannot be one, or "".
std::string_view ShapeProblem(std::u32string_view shape) {
  if (shape.empty() || shape.size() > kMaxShapeLength) return "a shape has one to four characters";
  const bool any_ascii = std::any_of(shape.begin(), shape.end(), IsAsciiLetterOrDigit);
  const bool all_ascii = std::all_of(shape.begin(), shape.end(), IsAsciiLetterOrDigit);
  if (any_ascii && !all_ascii) {
    return "a shape is all ASCII letters and digits or holds none of them";
  }
  for (const char32_t c : shape) {
    if (IsHangul(c)) return "a shape holds no Hangul";
    if (c <= U' ' || c == 0x7F) return "a shape holds no space or control character";
  }
  return "";
}

// How a shape reads, or nothing when READ_AS is no reading of it.
std::optional<ShapeKind> KindOf(std::u32string_view shape, std::u32string_view read_as) {
  if (read_as.size() == 1 && read_as[0] >= 0x3131 && read_as[0] <= 0x314E)
    return ShapeKind::kConsonant;
  if (read_as.size() == 1 && read_as[0] >= 0x314F && read_as[0] <= 0x3163) return ShapeKind::kVowel;
  // Syllables never outnumber the digits, so reading a number never lengthens a text.
  const bool syllables =
      !read_as.empty() && std::all_of(read_as.begin(), read_as.end(),
                                      [](char32_t c) { return platform::IsSyllable(c); });
  if (syllables && IsDigits(shape) && read_as.size() <= shape.size()) return ShapeKind::kNumber;
  return std::nullopt;
}

}  // namespace

std::vector<WordListProblem> LookalikeTable::Add(std::string_view text) {
  std::vector<WordListProblem> problems;
  std::vector<std::u32string> added;
  std::string_view line;
  for (ListLines lines(text); lines.Next(line);) {
    const size_t number = lines.Number();
    if (line.empty() || line.starts_with('#')) continue;
    const auto problem = [&](std::string reason) {
      problems.push_back({number, std::move(reason)});
    };
    const size_t tab = line.find('\t');
    if (tab == std::string_view::npos || line.find('\t', tab + 1) != std::string_view::npos) {
      problem("a line is SHAPE, a tab, then READ_AS");
      continue;
    }
    const std::optional<std::u32string> shape = Decoded(line.substr(0, tab));
    const std::optional<std::u32string> read_as = Decoded(line.substr(tab + 1));
    if (!shape || !read_as) {
      problem("not valid UTF-8");
      continue;
    }
    if (const std::string_view why = ShapeProblem(*shape); !why.empty()) {
      problem(std::string(why));
      continue;
    }
    const std::optional<ShapeKind> kind = KindOf(*shape, *read_as);
    if (!kind) {
      problem("READ_AS is one consonant or vowel jamo, or for digits at most one syllable a digit");
      continue;
    }
    if (std::find(added.begin(), added.end(), *shape) != added.end()) {
      problem("the shape is listed twice");
      continue;
    }
    if (Find(*shape) == nullptr && shapes_.size() >= kMaxShapes) {
      problem("a table holds at most 4096 shapes");
      continue;
    }
    added.push_back(*shape);
    Put({*shape, *kind, *read_as});
  }
  Index();
  return problems;
}

void LookalikeTable::Put(LookalikeShape shape) {
  const auto at = std::lower_bound(
      shapes_.begin(), shapes_.end(), shape.shape,
      [](const LookalikeShape& s, const std::u32string& key) { return s.shape < key; });
  if (at != shapes_.end() && at->shape == shape.shape) {
    *at = std::move(shape);
  } else {
    shapes_.insert(at, std::move(shape));
  }
}

void LookalikeTable::Index() {
  number_readings_.clear();
  other_starts_.clear();
  ascii_starts_ = {};
  ascii_chars_ = {};
  for (const LookalikeShape& s : shapes_) {
    if (s.kind == ShapeKind::kNumber && std::find(number_readings_.begin(), number_readings_.end(),
                                                  s.read_as) == number_readings_.end()) {
      number_readings_.push_back(s.read_as);
    }
    const char32_t first = s.shape.front();
    if (first < 128) {
      ascii_starts_[first >> 6] |= uint64_t{1} << (first & 63);
    } else {
      other_starts_.push_back(first);
    }
    for (const char32_t c : s.shape) {
      if (c < 128) ascii_chars_[c >> 6] |= uint64_t{1} << (c & 63);
    }
  }
  std::sort(other_starts_.begin(), other_starts_.end());
  other_starts_.erase(std::unique(other_starts_.begin(), other_starts_.end()), other_starts_.end());
}

bool ShapeStarts::MayStartOther(char32_t c) const {
  return std::binary_search(others_->begin(), others_->end(), c);
}

const LookalikeShape* LookalikeTable::Find(std::u32string_view shape) const {
  const auto at = std::lower_bound(
      shapes_.begin(), shapes_.end(), shape,
      [](const LookalikeShape& s, std::u32string_view key) { return s.shape < key; });
  return at != shapes_.end() && at->shape == shape ? &*at : nullptr;
}

const LookalikeTable& BuiltinLookalikes() {
  static const LookalikeTable table = [] {
    LookalikeTable built_in;
    // A test holds the file to no problems.
    built_in.Add(BuiltinLookalikeText());
    return built_in;
  }();
  return table;
}

}  // namespace chatsieve
