// The normalising matcher under arbitrary options, words, allowed words and texts, in
// UTF-16 and UTF-8. Every find must lie within the text, checking and masking must
// agree with finding, masking must keep one character for each, and where the text is
// plain BMP code points the finds must be the plain reference's.
#include <fuzzer/FuzzedDataProvider.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "engine/screening.h"
#include "filter/compiled_words.h"
#include "reference/reference_korean.h"
#include "text/unicode_text.h"
#include "text/utf8.h"

namespace {

using namespace chatsieve;

// Syllables, compatibility and conjoining jamo, fillers and invisible characters, wide
// and narrow forms, digits, keys of the 2-set layout, look-alike shapes, a counter, a
// space, separators.
constexpr char16_t kAlphabet[] = {
    u'시',  u'발',  u'바',  u'이', u'아', u'알', u'병',  u'개',  u'새',  u'끼',  u'ㅅ',  u'ㅣ',
    u'ㅂ',  u'ㅏ',  u'ㄹ',  u'ㅋ', u'ㅇ', u'ㅄ', 0x1109, 0x1175, 0x11AF, 0x200B, 0x3164, 0xFFA0,
    0xFF54, 0xFFB5, 0xFFDC, u'1',  u't',  u'l',  u'q',   u'k',   u'T',   u' ',   u'.',   u'8',
    u'0',   u'7',   u'H',   u'r',  u'人', u'口', u'卜',  u'|',   u'세',  u','};

std::u16string DrawText(FuzzedDataProvider& input, size_t max_length) {
  std::u16string text(input.ConsumeIntegralInRange<size_t>(0, max_length), u'\0');
  for (char16_t& unit : text) {
    const auto pick = input.ConsumeIntegral<uint8_t>();
    unit = pick < 240 ? kAlphabet[pick % std::size(kAlphabet)] : input.ConsumeIntegral<uint16_t>();
  }
  return text;
}

void Expect(bool holds) {
  if (!holds) std::abort();
}

bool PlainBmp(const std::u16string& text) {
  for (const char16_t unit : text) {
    if (unit == 0 || (unit >= 0xD800 && unit <= 0xDFFF)) return false;
  }
  return true;
}

std::vector<std::u32string> CodePoints(const std::vector<std::u16string>& words) {
  std::vector<std::u32string> out;
  for (const std::u16string& word : words)
    out.emplace_back(word.begin(), word.end());
  return out;
}

WordList ListOf(const std::vector<std::u16string>& words) {
  WordList list;
  for (const std::u16string& word : words)
    list.Add(platform::Utf16ToUtf8(word));
  return list;
}

template <typename Encoding>
void Screen(const ScreeningWords& words, std::basic_string_view<typename Encoding::Unit> text,
            std::vector<Occurrence>& found) {
  FindWords<Encoding>(words, text, found);
  for (size_t k = 0; k < found.size(); ++k) {
    Expect(found[k].begin < found[k].end && found[k].end <= text.size());
    if (k > 0) Expect(found[k - 1].begin <= found[k].begin);
  }
  Expect(HoldsWord<Encoding>(words, text) == !found.empty());
  std::basic_string<typename Encoding::Unit> masked;
  Expect(MaskWords<Encoding>(words, text, U'*', MatchMaskStyle::kWhole, masked) == !found.empty());
  size_t characters = 0, masked_characters = 0;
  for (size_t at = 0; at < text.size(); ++characters)
    at += Encoding::Decode(text.data() + at, text.size() - at).units;
  for (size_t at = 0; at < masked.size(); ++masked_characters)
    at += Encoding::Decode(masked.data() + at, masked.size() - at).units;
  Expect(characters == masked_characters);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  const uint32_t options = input.ConsumeIntegral<uint16_t>() & MatchOptions::kKnownBits;
  std::vector<std::u16string> words, allowed;
  for (size_t w = input.ConsumeIntegralInRange<size_t>(1, 4); w > 0; --w)
    words.push_back(DrawText(input, 5));
  for (size_t w = input.ConsumeIntegralInRange<size_t>(0, 2); w > 0; --w)
    allowed.push_back(DrawText(input, 6));
  const std::u16string text = DrawText(input, 48);

  const MatchOptions match = MatchOptions::FromBits(options);
  const auto forbidden = CompileWords(ListOf(words), match).compiled;
  const auto allowing = CompileAllowedWords(ListOf(allowed), match).compiled;
  const ScreeningWords screening{forbidden->index, allowing->index, match};
  std::vector<Occurrence> found;
  Screen<Utf8>(screening, platform::Utf16ToUtf8(text), found);
  Screen<Utf16>(screening, text, found);

  // Words are listed as UTF-8, which has no form for a zero unit or a lone surrogate.
  bool plain = PlainBmp(text);
  for (const auto* list : {&words, &allowed}) {
    for (const std::u16string& word : *list)
      plain = plain && PlainBmp(word);
  }
  if (plain && words.size() + allowed.size() > 0) {
    std::set<reference::Find> fast;
    for (const Occurrence& o : found)
      fast.insert({o.begin, o.end, o.word});
    Expect(fast == reference::FindKorean(options, CodePoints(words), CodePoints(allowed),
                                         std::u32string(text.begin(), text.end())));
  }
  return 0;
}
