// The UTF-8 start scan's wide steps against its one-at-a-time steps: the same positions,
// in the same order, on random lists and texts from every start. Where the processor has
// no wide steps both are the same steps, and the filter's differential tests cover them.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "engine/key_index.h"
#include "engine/utf8_start_scan.h"
#include "filter/random_text.h"
#include "text/unicode_text.h"
#include "text/utf8.h"

namespace chatsieve {
namespace {

KeyIndex IndexOf(const std::vector<std::string>& words) {
  KeyIndex::Builder builder;
  for (size_t word = 0; word < words.size(); ++word) {
    std::u32string key;
    for (size_t at = 0; at < words[word].size();) {
      const DecodedChar read = Utf8::Decode(words[word].data() + at, words[word].size() - at);
      key += read.code_point >= 'A' && read.code_point <= 'Z' ? read.code_point + 0x20
                                                              : read.code_point;
      at += read.units;
    }
    builder.Add(key, KeyEnd{static_cast<uint32_t>(word)});
  }
  return std::move(builder).Build();
}

std::vector<size_t> Positions(const KeyIndex& index, std::string_view text, size_t at,
                              bool pass_spaces, Utf8StartScan::Steps steps) {
  Utf8StartScan scan(index.PackedUtf8Start(), text, at, pass_spaces, steps);
  std::vector<size_t> positions;
  while (scan.Next())
    positions.push_back(scan.At());
  return positions;
}

TEST(Utf8StartScanTest, WideStepsFindTheSamePositions) {
  testing::RandomText random(5);
  for (int list = 0; list < 40; ++list) {
    // The wide first test is used where no key has one character.
    std::vector<std::string> words;
    for (const std::string& word : random.Words(random.Between(1, 40)))
      if (list % 2 == 0 || platform::Utf8ToUtf16(word).value_or(u"").size() > 1)
        words.push_back(word);
    // A character of four bytes named across a chunk's end.
    if (list % 3 == 0) words.push_back("\U0001F600" + random.Word());
    if (words.empty()) continue;
    const KeyIndex index = IndexOf(words);
    for (int round = 0; round < 40; ++round) {
      std::string text = round % 4 == 0 ? random.LongText8() : random.Text8();
      // A word at every offset near the first chunk's end, or after a chunk that names
      // nothing where spaces are passed over.
      if (round % 4 == 1) {
        text = std::string(random.Between(56, 70), '.') + words.back() + text;
      } else if (round % 4 == 2) {
        text = std::string(random.Between(60, 200), ' ') + words.back() + text;
      }
      if (text.size() < Utf8StartScan::kLeastBytes) continue;
      const auto at =
          round % 4 == 1
              ? 0
              : static_cast<size_t>(random.Between(0, static_cast<int>(text.size()) / 4));
      const bool pass_spaces = round % 3 != 0;
      EXPECT_EQ(Positions(index, text, at, pass_spaces, Utf8StartScan::Steps::kWideWherePossible),
                Positions(index, text, at, pass_spaces, Utf8StartScan::Steps::kOneAtATime))
          << "list " << list << ", text of " << text.size() << " bytes from " << at;
    }
  }
}

}  // namespace
}  // namespace chatsieve
