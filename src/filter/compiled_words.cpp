#include "filter/compiled_words.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "matching/char_preparation.h"
#include "matching/korean_forms.h"
#include "matching/text_char.h"

namespace chatsieve {

Compilation CompileWords(WordList words, MatchOptions options) {
  Compilation compilation;
  KeyIndex::Builder keys;
  TextChars chars;
  std::u32string key;
  std::vector<DerivedForm> forms;
  for (size_t word = 0; word < words.Size(); ++word) {
    const auto index = static_cast<uint32_t>(word);
    ReadTextChars<Utf8>(words[word], chars);
    const size_t written = chars.size();
    PrepareChars(options, chars);
    key.clear();
    for (const TextChar& c : chars)
      key.push_back(c.code_point);
    // A reading that shrinks an entry to one character or none almost always shows a
    // mistake in the list (xxx read as x would flag fox), so such an entry is left out.
    if (key.empty() || (key.size() == 1 && written > 1)) {
      compilation.left_out.push_back({index,
                                      key.empty() ? LeftOutEntry::Reason::kReadAsNothing
                                                  : LeftOutEntry::Reason::kReadAsOneChar,
                                      index});
      continue;
    }
    const WordPlace place = words.Traits(word).place;
    if (const std::optional<uint32_t> earlier = keys.AddWordKey(key, {index, false, place})) {
      compilation.left_out.push_back({index, LeftOutEntry::Reason::kSameAsEarlier, *earlier});
      continue;
    }
    forms.clear();
    DeriveForms(key, options, forms);
    for (const DerivedForm& form : forms)
      keys.Add(form.key, {index, form.whole_latin_token, place});
  }
  auto compiled = std::make_shared<CompiledWords>();
  compiled->index = std::move(keys).Build();
  compiled->words = std::move(words);
  compilation.compiled = std::move(compiled);
  return compilation;
}

}  // namespace chatsieve
