#include "engine/text_pieces.h"

#include <array>

#include "engine/text_char.h"
#include "text/hangul.h"
#include "text/unicode_text.h"

namespace chatsieve {
namespace {

bool IsAsciiLetter(char32_t c) {
  return IsLatinLetter(FoldCase(c));
}

// A syllable of the silent lead may draw out the one before it (시이, 개애).
bool MayDrawOut(char32_t c) {
  const auto parts = platform::SplitSyllable(c);
  return parts && parts->lead == platform::kSilentLead;
}

// Whether no reading acts across the place between `chars[1]` and `chars[2]`: the
// separator and space rules see a letter on each side, two letters on either side keep
// the space rule's look-ahead and look-behind, and the letters after it neither repeat
// nor draw out the one before. A run of ASCII letters is read as look-alike shapes only
// whole and beside Hangul, so no shape's letter may stand on either side.
bool ReadingsHoldApart(const std::array<char32_t, 4>& chars, const LookalikeTable* lookalikes) {
  for (const char32_t c : chars) {
    if (!platform::IsSyllable(c) && !IsAsciiLetter(c)) return false;
  }
  if (lookalikes != nullptr &&
      (lookalikes->HoldsAscii(FoldCase(chars[1])) || lookalikes->HoldsAscii(FoldCase(chars[2])))) {
    return false;
  }
  if (IsAsciiLetter(chars[2])) return FoldCase(chars[1]) != FoldCase(chars[2]);
  return !MayDrawOut(chars[2]);
}

// Whether decoding from the text's start stops at `at`: at any unit but a UTF-8
// continuation byte (and at one after three others, which no sequence reaches), or a
// low surrogate after a high one.
template <typename Encoding>
bool StartsChar(std::basic_string_view<typename Encoding::Unit> text, size_t at) {
  if constexpr (sizeof(typename Encoding::Unit) == 1) {
    const auto continues = [&](size_t k) {
      return (static_cast<unsigned char>(text[k]) & 0xC0) == 0x80;
    };
    return !continues(at) ||
           (at >= 3 && continues(at - 1) && continues(at - 2) && continues(at - 3));
  } else {
    const char16_t unit = text[at];
    return unit < 0xDC00 || unit > 0xDFFF || at == 0 || text[at - 1] < 0xD800 ||
           text[at - 1] > 0xDBFF;
  }
}

}  // namespace

template <typename Encoding>
size_t PieceEnd(std::basic_string_view<typename Encoding::Unit> text, size_t from, PieceSize size,
                const LookalikeTable* lookalikes) {
  if (text.size() - from <= size.units + size.slack) return text.size();
  size_t at = from + size.units;
  while (at < text.size() && !StartsChar<Encoding>(text, at))
    ++at;
  const size_t last = from + size.units + size.slack;
  std::array<char32_t, 4> window{};
  std::array<size_t, 4> starts{};
  for (size_t seen = 0; at < last; ++seen) {
    const DecodedChar decoded = Encoding::Decode(text.data() + at, text.size() - at);
    std::copy(window.begin() + 1, window.end(), window.begin());
    std::copy(starts.begin() + 1, starts.end(), starts.begin());
    window[3] = decoded.code_point;
    starts[3] = at;
    if (seen >= 3 && ReadingsHoldApart(window, lookalikes)) return starts[2];
    at += decoded.units;
  }
  while (at < text.size() && !StartsChar<Encoding>(text, at))
    ++at;
  return at;
}

template size_t PieceEnd<Utf8>(std::string_view, size_t, PieceSize, const LookalikeTable*);
template size_t PieceEnd<Utf16>(std::u16string_view, size_t, PieceSize, const LookalikeTable*);

}  // namespace chatsieve
