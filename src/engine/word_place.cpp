#include "engine/word_place.h"

#include <algorithm>
#include <string>

#include "text/hangul.h"
#include "text/text_preparation.h"
#include "text/unicode_text.h"

namespace chatsieve {
namespace {

constexpr char32_t kPlural = U'들';
// The longest ending, with 들 before it, in syllables.
constexpr size_t kLongestEnding = 3;

bool IsLetterDigitOrSyllable(char32_t c) {
  return c < 0x10000 && (platform::IsSyllable(c) || IsLetterOrDigit(static_cast<char16_t>(c)));
}

// Whether a word may not go on past it or begin after it.
bool PartsWords(char32_t c) {
  return !IsLetterDigitOrSyllable(c);
}

bool IsEnding(std::u32string_view syllables) {
  if (syllables.empty()) return true;
  if (syllables.front() == kPlural) syllables.remove_prefix(1);
  return syllables.empty() || std::find(std::begin(kWordEndings), std::end(kWordEndings),
                                        syllables) != std::end(kWordEndings);
}

// The character that ends at `at`, or kInvalidChar where none does (invalid input).
template <typename Encoding>
char32_t CharBefore(std::basic_string_view<typename Encoding::Unit> text, size_t at) {
  // A character is at most four units long; it is the one decoding from its start ends
  // exactly at `at`.
  for (size_t length = 1; length <= std::min<size_t>(at, 4); ++length) {
    const DecodedChar decoded = Encoding::Decode(text.data() + at - length, length);
    if (decoded.units == length && decoded.code_point != kInvalidChar) return decoded.code_point;
  }
  return kInvalidChar;
}

template <typename Encoding>
bool EndsWord(std::basic_string_view<typename Encoding::Unit> text, size_t at) {
  std::u32string syllables;
  while (at < text.size()) {
    const DecodedChar next = Encoding::Decode(text.data() + at, text.size() - at);
    if (!platform::IsSyllable(next.code_point)) {
      if (!PartsWords(next.code_point) && !platform::IsCompatibilityJamo(next.code_point))
        return false;
      break;
    }
    if (syllables.size() == kLongestEnding) return false;
    syllables.push_back(next.code_point);
    at += next.units;
  }
  return IsEnding(syllables);
}

}  // namespace

template <typename Encoding>
bool StandsWhereItCounts(WordPlace place, std::basic_string_view<typename Encoding::Unit> text,
                         size_t begin, size_t end) {
  if (place == WordPlace::kAnywhere) return true;
  if (place == WordPlace::kEnd) return EndsWord<Encoding>(text, end);
  if (begin > 0) {
    const char32_t before = CharBefore<Encoding>(text, begin);
    if (!PartsWords(before) || platform::IsCompatibilityJamo(before)) return false;
  }
  return place == WordPlace::kStart || EndsWord<Encoding>(text, end);
}

template bool StandsWhereItCounts<Utf8>(WordPlace, std::string_view, size_t, size_t);
template bool StandsWhereItCounts<Utf16>(WordPlace, std::u16string_view, size_t, size_t);

}  // namespace chatsieve
