// Filters and texts for the detection tests.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "legacy/bad_chat_man.h"
#include "text/cp949.h"

namespace chatsieve::test_support {

// A filter holding `words`, with its buckets sorted as a load leaves them, and then
// `added_later` appended unsorted.
inline std::unique_ptr<BadChatMan> FilterOf(const std::vector<std::u16string>& words,
                                            const std::vector<std::u16string>& added_later = {}) {
  auto filter = std::make_unique<BadChatMan>();
  for (const auto& word : words)
    filter->AddWord(word.c_str());
  filter->SortBuckets();
  for (const auto& word : added_later)
    filter->AddWord(word.c_str());
  return filter;
}

// The code page 949 form of a text, when it has one that converts back to the same
// units.
inline std::optional<std::string> NarrowFormOf(const std::u16string& text) {
  const int32_t bytes = platform::EncodeCp949(text.c_str(), -1, nullptr, 0);
  std::string narrow(static_cast<size_t>(bytes), '\0');
  platform::EncodeCp949(text.c_str(), -1, narrow.data(), bytes);
  narrow.pop_back();
  std::u16string back(narrow.size() + 1, u'\0');
  const int32_t units =
      platform::DecodeCp949(narrow.c_str(), -1, back.data(), static_cast<int32_t>(back.size()));
  back.resize(static_cast<size_t>(units) - 1);
  if (back != text) return std::nullopt;
  return narrow;
}

}  // namespace chatsieve::test_support
