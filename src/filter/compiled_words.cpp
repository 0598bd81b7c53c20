#include "filter/compiled_words.h"

#include <string>
#include <utility>
#include <vector>

#include "matching/char_preparation.h"
#include "matching/korean_forms.h"
#include "matching/text_char.h"

namespace chatsieve {

std::shared_ptr<const CompiledWords> CompileWords(WordList words, MatchOptions options) {
  auto compiled = std::make_shared<CompiledWords>();
  KeyIndex::Builder keys;
  TextChars chars;
  std::u32string key;
  std::vector<DerivedForm> forms;
  for (size_t word = 0; word < words.Size(); ++word) {
    ReadTextChars<Utf8>(words[word], chars);
    PrepareChars(options, chars);
    key.clear();
    for (const TextChar& c : chars)
      key.push_back(c.code_point);
    // A word the options read as nothing (only separators) can never be found.
    const auto index = static_cast<uint32_t>(word);
    keys.Add(key, {index, false});
    forms.clear();
    DeriveForms(key, options, forms);
    for (const DerivedForm& form : forms)
      keys.Add(form.key, {index, form.whole_latin_token});
  }
  compiled->index = std::move(keys).Build();
  compiled->words = std::move(words);
  return compiled;
}

}  // namespace chatsieve
