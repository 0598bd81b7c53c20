// Texts labelled by people as abusive or not, for measuring a list, its reading and its
// policy against them.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

namespace chatsieve::tool {

enum class LabelFormat {
  kPlain,    // TEXT<TAB>LABEL: 1 abusive, 0 not
  kKmhas,    // K-MHaS: document<TAB>labels; profanity (3) abusive, "not hate speech" (8) alone not
  kKocohub,  // korean-hate-speech: comments<TAB>gender bias<TAB>bias<TAB>hate; offensive or hate
             // abusive, none not
};

struct LabelledText {
  std::string text;
  bool abusive = false;
};

struct LabelledTexts {
  std::vector<LabelledText> texts;
  size_t skipped = 0;  // lines labelled neither way (K-MHaS: other kinds of hate only)
};

// Throws std::runtime_error naming the file and line of a line it cannot read.
LabelledTexts ReadLabelledTexts(const std::string& path, LabelFormat format);

}  // namespace chatsieve::tool
