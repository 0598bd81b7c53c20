#include "filter/compiled_words.h"

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "engine/char_preparation.h"
#include "engine/korean/korean_forms.h"
#include "engine/korean/korean_text.h"
#include "engine/text_char.h"

namespace chatsieve {
namespace {

// Any syllable: what stands next to a word in the text, for the spaces option to see.
constexpr char32_t kTouchingSyllable = U'가';

std::u32string KeyOf(const TextChars& chars) {
  std::u32string key;
  for (const TextChar& c : chars)
    key.push_back(c.code_point);
  return key;
}

// The spaces option joins a one-syllable piece at an end of a word to the piece beside
// it only while no syllable touches that end, which the text around the word decides:
// 몇 년 reads as 몇년 in 몇 년 전 but stays apart in 몇 년이. An allowed word is also
// keyed as read with a syllable touching either end or both, so that it covers its
// text whatever follows.
void AddKeysBesideSyllables(std::string_view word, MatchOptions options,
                            const LookalikeTable& lookalikes, KeyEnd end, const std::u32string& key,
                            KeyIndex::Builder& keys) {
  TextChars unspaced;
  ReadTextChars<Utf8>(word, unspaced);
  PrepareChars(
      MatchOptions::FromBits(options.Bits() & ~static_cast<uint32_t>(MatchOption::kSpaces)),
      lookalikes, unspaced);
  std::vector<std::u32string> added{key};
  // Bit 1: a syllable touches the start; bit 2: one touches the end.
  for (unsigned touching = 1; touching <= 3; ++touching) {
    const bool before = (touching & 1U) != 0;
    const bool after = (touching & 2U) != 0;
    TextChars chars;
    chars.reserve(unspaced.size() + 2);
    if (before) chars.push_back({kTouchingSyllable, 0, 0});
    for (const TextChar& c : unspaced)
      chars.push_back(c);
    if (after) chars.push_back({kTouchingSyllable, 0, 0});
    SkipSpacesBetweenSyllables(chars);
    // The option skips only spaces, so the touching syllables are still at the ends.
    if (after) chars.pop_back();
    if (before) chars.erase(chars.begin());
    std::u32string variant = KeyOf(chars);
    // A word of spaces alone reads as nothing between two syllables: no key.
    if (variant.empty() || std::find(added.begin(), added.end(), variant) != added.end()) continue;
    keys.Add(variant, end);
    added.push_back(std::move(variant));
  }
}

Compilation Compile(WordList words, MatchOptions options, const LookalikeTable& lookalikes,
                    bool beside_syllables) {
  Compilation compilation;
  KeyIndex::Builder keys;
  TextChars chars;
  std::vector<DerivedForm> forms;
  for (size_t word = 0; word < words.Size(); ++word) {
    const auto index = static_cast<uint32_t>(word);
    ReadTextChars<Utf8>(words[word], chars);
    const size_t written = chars.size();
    PrepareChars(options, lookalikes, chars);
    const std::u32string key = KeyOf(chars);
    // A reading that shrinks an entry to one character or none almost always shows a
    // mistake in the list (xxx read as x would flag fox), so such an entry is left out.
    if (key.empty() || (key.size() == 1 && written > 1)) {
      compilation.left_out.push_back({index,
                                      key.empty() ? LeftOutEntry::Reason::kReadAsNothing
                                                  : LeftOutEntry::Reason::kReadAsOneChar,
                                      index});
      continue;
    }
    const KeyEnd end{index, false, words.Traits(word).place};
    const bool spaced = beside_syllables && options.Has(MatchOption::kSpaces) &&
                        words[word].find(' ') != std::string_view::npos;
    if (const std::optional<uint32_t> earlier = keys.AddWordKey(key, end)) {
      // 몇 년 reads as 몇년 does, but beside a syllable it reads apart: that much of it
      // still counts, as the earlier word.
      if (spaced) {
        AddKeysBesideSyllables(words[word], options, lookalikes, {*earlier, false, end.place}, key,
                               keys);
      } else {
        compilation.left_out.push_back({index, LeftOutEntry::Reason::kSameAsEarlier, *earlier});
      }
      continue;
    }
    forms.clear();
    DeriveForms(key, options, lookalikes, forms);
    for (const DerivedForm& form : forms)
      keys.Add(form.key, {index, form.whole_latin_token, end.place});
    if (spaced) AddKeysBesideSyllables(words[word], options, lookalikes, end, key, keys);
  }
  auto compiled = std::make_shared<CompiledWords>();
  compiled->index = std::move(keys).Build();
  compiled->words = std::move(words);
  compilation.compiled = std::move(compiled);
  return compilation;
}

}  // namespace

Compilation CompileWords(WordList words, MatchOptions options, const LookalikeTable& lookalikes) {
  return Compile(std::move(words), options, lookalikes, false);
}

Compilation CompileAllowedWords(WordList words, MatchOptions options,
                                const LookalikeTable& lookalikes) {
  return Compile(std::move(words), AllowedWordOptions(options), lookalikes, true);
}

}  // namespace chatsieve
