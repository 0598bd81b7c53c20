#include "legacy/legacy_keys.h"

#include <algorithm>
#include <string>

#include "wordfile/word_rules.h"

namespace chatsieve {

LegacyKeys::LegacyKeys(const LegacyWordList& words) : word_count_(words.WordCount()) {
  KeyIndex::Builder builder;
  std::u32string key;
  words.ForEachBucket([&](char16_t first_unit, LegacyWordList::Words bucket) {
    for (const auto& word : bucket) {
      const int32_t length = word->TextLength();
      const bool holds_zero_unit = length < word->WideLength();
      const auto rank = static_cast<uint32_t>(words_.size());
      words_.push_back({first_unit, holds_zero_unit});
      // A word that starts with a zero unit matches no text.
      if (length == 0) continue;
      key.clear();
      for (int32_t i = 0; i < length; ++i)
        key.push_back(FoldAsciiCase(word->WideText()[i]));
      builder.Add(key, KeyEnd{rank});
      longest_reach_ = std::max(longest_reach_, length - 1 + (holds_zero_unit ? 1 : 0));
    }
  });
  index_ = std::move(builder).Build();
}

}  // namespace chatsieve
