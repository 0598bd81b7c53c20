#include "reference/reference_filter.h"

#include <algorithm>
#include <set>
#include <tuple>

#include "text/unicode_letters.h"

namespace chatsieve::reference {
namespace {

constexpr char32_t kInvalid = 0xFFFFFFFF;

struct Char {
  char32_t code_point;
  size_t begin;
  size_t end;
};

// Decodes UTF-8 by the book: a valid sequence is one character; anything else is one
// invalid byte.
std::vector<Char> Decode(const std::string& text) {
  std::vector<Char> chars;
  size_t i = 0;
  while (i < text.size()) {
    const auto byte = [&](size_t k) { return static_cast<unsigned char>(text[k]); };
    size_t length = 1;
    char32_t code_point = kInvalid;
    if (byte(i) < 0x80) {
      code_point = byte(i);
    } else {
      size_t n = 0;
      char32_t value = 0;
      if (byte(i) >= 0xC0 && byte(i) < 0xE0) n = 1, value = byte(i) & 0x1F;
      if (byte(i) >= 0xE0 && byte(i) < 0xF0) n = 2, value = byte(i) & 0x0F;
      if (byte(i) >= 0xF0 && byte(i) < 0xF8) n = 3, value = byte(i) & 0x07;
      bool valid = n > 0;
      for (size_t k = 1; valid && k <= n; ++k) {
        if (i + k >= text.size() || (byte(i + k) & 0xC0) != 0x80) {
          valid = false;
        } else {
          value = (value << 6) | (byte(i + k) & 0x3F);
        }
      }
      const char32_t smallest[] = {0, 0x80, 0x800, 0x10000};
      if (valid && value >= smallest[n] && value <= 0x10FFFF &&
          !(value >= 0xD800 && value <= 0xDFFF)) {
        code_point = value;
        length = n + 1;
      }
    }
    chars.push_back({code_point, i, i + length});
    i += length;
  }
  return chars;
}

std::vector<Char> Decode(const std::u16string& text) {
  std::vector<Char> chars;
  for (size_t i = 0; i < text.size(); ++i) {
    const char32_t unit = text[i];
    if (unit >= 0xD800 && unit <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
        text[i + 1] <= 0xDFFF) {
      chars.push_back({0x10000 + ((unit - 0xD800) << 10) + (text[i + 1] - 0xDC00), i, i + 2});
      ++i;
    } else if (unit >= 0xD800 && unit <= 0xDFFF) {
      chars.push_back({kInvalid, i, i + 1});
    } else {
      chars.push_back({unit, i, i + 1});
    }
  }
  return chars;
}

char32_t Fold(char32_t c) {
  return c >= U'A' && c <= U'Z' ? c + 32 : c;
}

bool IsKept(char32_t c) {
  if (c == U' ' || (c >= U'0' && c <= U'9') || (c >= U'a' && c <= U'z') ||
      (c >= U'A' && c <= U'Z')) {
    return true;
  }
  if (c < 0x100 || c >= 0x10000) return false;
  if (c >= 0xAC00 && c <= 0xD7A3) return true;
  return c != 0xFFFF && platform::IsUnicodeLetterOrDigit(static_cast<char16_t>(c));
}

// The characters a match may use: all of them, or under the separator rule only kept
// characters, and of a run of spaces the first.
std::vector<Char> Readable(std::vector<Char> chars, bool separators) {
  for (Char& c : chars)
    c.code_point = Fold(c.code_point);
  if (!separators) return chars;
  std::vector<Char> kept;
  for (const Char& c : chars) {
    if (!IsKept(c.code_point)) continue;
    if (c.code_point == U' ' && !kept.empty() && kept.back().code_point == U' ') continue;
    kept.push_back(c);
  }
  return kept;
}

struct Occurrence {
  Found found;
  size_t first;  // indices into the readable characters
  size_t last;
};

std::vector<char32_t> CodePoints(const std::vector<Char>& chars) {
  std::vector<char32_t> code_points;
  for (const Char& c : chars)
    code_points.push_back(c.code_point);
  return code_points;
}

// Each word as read, or nothing when it is left out: read as nothing, as one character it
// did not consist of alone, or as an earlier word is.
std::vector<std::vector<Char>> UsableWords(const std::vector<std::string>& words, bool separators) {
  std::vector<std::vector<Char>> usable;
  std::set<std::vector<char32_t>> earlier;
  for (const std::string& text : words) {
    std::vector<Char> word = Readable(Decode(text), separators);
    if (word.size() == 1 && Decode(text).size() > 1) word.clear();
    if (!word.empty() && !earlier.insert(CodePoints(word)).second) word.clear();
    usable.push_back(word);
  }
  return usable;
}

std::vector<Occurrence> Occurrences(const std::vector<std::string>& words,
                                    const std::vector<Char>& text, bool separators) {
  std::vector<Occurrence> all;
  const std::vector<std::vector<Char>> usable = UsableWords(words, separators);
  for (size_t w = 0; w < words.size(); ++w) {
    const std::vector<Char>& word = usable[w];
    if (word.empty()) continue;
    for (size_t start = 0; start + word.size() <= text.size(); ++start) {
      bool equal = true;
      for (size_t k = 0; k < word.size(); ++k) {
        if (text[start + k].code_point != word[k].code_point || word[k].code_point == kInvalid)
          equal = false;
      }
      if (!equal) continue;
      const size_t last = start + word.size() - 1;
      all.push_back({{text[start].begin, text[last].end, static_cast<uint32_t>(w)}, start, last});
    }
  }
  return all;
}

template <typename Item>
Item ItemOr(const std::vector<Item>& items, size_t k, Item otherwise) {
  return k < items.size() ? items[k] : otherwise;
}

bool IsWordChar(char32_t c) {
  return c != U' ' && c != kInvalid && IsKept(Fold(c));
}

bool IsJamo(char32_t c) {
  return c >= 0x3131 && c <= 0x318E;
}

bool IsSyllable(char32_t c) {
  return c >= 0xAC00 && c <= 0xD7A3;
}

// Whether what follows the text's characters from `k` leaves a word whole: the end, a
// character that is not a letter or digit (or a jamo), or a particle or ending, perhaps
// after 들, and then such a character or the end.
bool EndsWord(const std::vector<Char>& chars, size_t k) {
  static const std::set<std::u32string> endings = {
      U"",     U"이",   U"가",   U"은",   U"는",   U"을",   U"를",   U"의",   U"에",   U"도",
      U"만",   U"과",   U"와",   U"랑",   U"아",   U"야",   U"여",   U"임",   U"이다", U"이야",
      U"이냐", U"이네", U"이지", U"이고", U"인데", U"이랑", U"이나", U"한테", U"에게", U"에서",
      U"처럼", U"보다", U"같은", U"같이", U"으로", U"로",   U"까지", U"부터", U"하고"};
  std::u32string syllables;
  while (k < chars.size() && IsSyllable(chars[k].code_point))
    syllables += chars[k++].code_point;
  if (k < chars.size() && IsWordChar(chars[k].code_point) && !IsJamo(chars[k].code_point))
    return false;
  if (!syllables.empty() && syllables[0] == U'들') syllables.erase(0, 1);
  return endings.count(syllables) > 0;
}

bool StandsWhereItCounts(Place place, const std::vector<Char>& chars, const Found& found) {
  if (place == Place::kAnywhere) return true;
  size_t first = 0;
  while (chars[first].begin != found.begin)
    ++first;
  size_t after = first;
  while (after < chars.size() && chars[after].begin < found.end)
    ++after;
  if (place == Place::kEnd) return EndsWord(chars, after);
  if (first > 0 && IsWordChar(chars[first - 1].code_point)) return false;
  return place == Place::kStart || EndsWord(chars, after);
}

bool Counts(const Words& words, uint32_t word) {
  const std::string category = ItemOr(words.categories, word, std::string());
  return ItemOr(words.severities, word, 2) >= words.min_severity &&
         (words.chosen_categories.empty() ||
          std::count(words.chosen_categories.begin(), words.chosen_categories.end(), category) > 0);
}

template <typename Text>
std::vector<Occurrence> Uncovered(const Words& words, const Text& text) {
  const std::vector<Char> chars = Decode(text);
  const std::vector<Char> readable = Readable(chars, words.separators);
  const auto stands = [&](const std::vector<Place>& places) {
    return [&](const Occurrence& o) {
      return !StandsWhereItCounts(ItemOr(places, o.found.word, Place::kAnywhere), chars, o.found);
    };
  };
  std::vector<Occurrence> allowed = Occurrences(words.allowed, readable, words.separators);
  std::erase_if(allowed, stands(words.allowed_places));
  std::vector<Occurrence> forbidden = Occurrences(words.forbidden, readable, words.separators);
  std::erase_if(forbidden, stands(words.forbidden_places));
  std::vector<Occurrence> kept;
  for (const Occurrence& o : forbidden) {
    if (!Counts(words, o.found.word)) continue;
    bool covered = false;
    for (const Occurrence& a : allowed) {
      if (a.found.begin <= o.found.begin && o.found.end <= a.found.end) covered = true;
    }
    if (!covered) kept.push_back(o);
  }
  return kept;
}

template <typename Text>
std::vector<Found> FindIn(const Words& words, const Text& text) {
  std::set<std::tuple<size_t, size_t, uint32_t>> ordered;
  for (const Occurrence& o : Uncovered(words, text))
    ordered.insert({o.found.begin, o.found.end, o.found.word});
  std::vector<Found> found;
  for (const auto& [begin, end, word] : ordered)
    found.push_back({begin, end, word});
  return found;
}

void Append(std::string& out, char32_t c) {
  if (c < 0x80) {
    out += static_cast<char>(c);
  } else if (c < 0x800) {
    out += static_cast<char>(0xC0 | (c >> 6));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    out += static_cast<char>(0xE0 | (c >> 12));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | (c >> 18));
    out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    out += static_cast<char>(0x80 | (c & 0x3F));
  }
}

void Append(std::u16string& out, char32_t c) {
  if (c < 0x10000) {
    out += static_cast<char16_t>(c);
  } else {
    out += static_cast<char16_t>(0xD800 + ((c - 0x10000) >> 10));
    out += static_cast<char16_t>(0xDC00 + ((c - 0x10000) & 0x3FF));
  }
}

template <typename Text>
Text MaskIn(const Words& words, const Text& text, char32_t mask, bool keep_first) {
  const std::vector<Char> readable = Readable(Decode(text), words.separators);
  std::vector<bool> masked(text.size(), false);  // by unit where a character begins
  for (const Occurrence& o : Uncovered(words, text)) {
    for (size_t k = o.first + (keep_first ? 1 : 0); k <= o.last; ++k) {
      for (size_t unit = readable[k].begin; unit < readable[k].end; ++unit)
        masked[unit] = true;
    }
  }
  Text out;
  for (const Char& c : Decode(text)) {
    if (masked[c.begin]) {
      Append(out, mask);
    } else {
      out += text.substr(c.begin, c.end - c.begin);
    }
  }
  return out;
}

}  // namespace

std::vector<Found> Find(const Words& words, const std::string& text) {
  return FindIn(words, text);
}
std::vector<Found> Find(const Words& words, const std::u16string& text) {
  return FindIn(words, text);
}

std::string Mask(const Words& words, const std::string& text, char32_t mask, bool keep_first) {
  return MaskIn(words, text, mask, keep_first);
}
std::u16string Mask(const Words& words, const std::u16string& text, char32_t mask,
                    bool keep_first) {
  return MaskIn(words, text, mask, keep_first);
}

}  // namespace chatsieve::reference
