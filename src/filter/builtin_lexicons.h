// The lexicons compiled into the library: each a UTF-8 word list with its allow-list,
// found by name.
#pragma once

#include <string>
#include <string_view>

namespace chatsieve {

struct BuiltinLexicon {
  std::string_view words;
  std::string_view allowed;
};

// The Korean lexicon of data/lexicon/ko.
extern const BuiltinLexicon kKoreanLexicon;

// The lexicon of a name, or null.
const BuiltinLexicon* BuiltinLexiconNamed(std::string_view name);

// The names there are, for messages: "ko".
std::string BuiltinLexiconNames();

}  // namespace chatsieve
