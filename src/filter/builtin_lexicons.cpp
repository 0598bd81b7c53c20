#include "filter/builtin_lexicons.h"

namespace chatsieve {
namespace {

struct NamedLexicon {
  std::string_view name;
  const BuiltinLexicon* lexicon;
};

const NamedLexicon kLexicons[] = {{"ko", &kKoreanLexicon}};

}  // namespace

const BuiltinLexicon* BuiltinLexiconNamed(std::string_view name) {
  for (const NamedLexicon& named : kLexicons) {
    if (named.name == name) return named.lexicon;
  }
  return nullptr;
}

std::string BuiltinLexiconNames() {
  std::string names;
  for (const NamedLexicon& named : kLexicons)
    names += (names.empty() ? "" : ", ") + std::string(named.name);
  return names;
}

}  // namespace chatsieve
