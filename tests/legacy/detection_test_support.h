// Filters and texts for the detection tests.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "legacy/bad_chat_man.h"
#include "support/temporary_directory.h"
#include "support/word_file_builder.h"
#include "text/cp949.h"
#include "wordfile/word_file_format.h"

namespace chatsieve::test_support {

// A filter holding `words`, with its buckets sorted as a load leaves them, and then
// `added_later` appended unsorted.
inline std::unique_ptr<BadChatMan> FilterOf(const std::vector<std::u16string>& words,
                                            const std::vector<std::u16string>& added_later = {}) {
  LegacyWordList list;
  for (const auto& word : words)
    list.AddWord(word.c_str());
  list.SortBuckets();
  for (const auto& word : added_later)
    list.AddWord(word.c_str());
  return std::make_unique<BadChatMan>(std::move(list));
}

// A filter holding the ASCII `word` from a narrow file that declares a negative count:
// the load fails but keeps the word, and the count is not positive.
inline std::unique_ptr<BadChatMan> UncountedFilterOf(std::string_view word) {
  testing::WordFileBuilder file(word_file::RecordMask());
  file.NarrowHead(-1).NarrowRecord(word);
  const testing::TemporaryDirectory directory;
  auto filter = std::make_unique<BadChatMan>();
  EXPECT_EQ(filter->LoadWordFile(directory.Write("filter.bcd", file.Data()).c_str(), 1), 0);
  EXPECT_LT(filter->Words().WordCount(), 0);
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
