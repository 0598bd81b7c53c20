// Arbitrary word lists and texts through every detection, in both encodings. Besides
// what the sanitizers catch, it checks that the answers agree with the reference engine
// and with one another: level 2 in one call as the two calls in turn, and a narrow text
// as its UTF-16 form.
//
// Input: a byte of flags, then words (a length byte, then that many UTF-16 units as
// little-endian byte pairs), up to the word count the flags give; the rest is the
// text, taken once as code page 949 bytes and once as UTF-16 units.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

#include "legacy/bad_chat_man.h"
#include "reference_engine.h"
#include "text/text_preparation.h"

namespace {

using chatsieve::BadChatMan;
using chatsieve::reference::ReferenceEngine;

class Input {
 public:
  Input(const uint8_t* data, size_t size) : data_(data), size_(size) {}

  bool Empty() const { return at_ == size_; }
  uint8_t Byte() { return Empty() ? 0 : data_[at_++]; }
  char16_t Unit() {
    const uint8_t low = Byte();
    return static_cast<char16_t>(low | (Byte() << 8));
  }
  std::string RestAsBytes() const {
    return std::string(reinterpret_cast<const char*>(data_ + at_), size_ - at_);
  }

 private:
  const uint8_t* data_;
  size_t size_;
  size_t at_ = 0;
};

void Expect(bool holds) {
  if (!holds) std::abort();
}

void CheckWide(const BadChatMan& filter, const ReferenceEngine& reference, const char16_t* text) {
  const int32_t as_written = filter.FindBadWordW(text);
  const int32_t stripped = filter.FindBadWordStrippedW(text);
  const int32_t either = filter.FindBadWordEitherWayW(text);
  Expect(as_written == reference.Detect(1, text));
  Expect(either == reference.Detect(2, text));
  Expect(either == (stripped != 0 ? stripped : as_written));
  Expect(chatsieve::DetectAtLevel(filter.Keys(), 1, text) == as_written);
  Expect(chatsieve::DetectAtLevel(filter.Keys(), 2, text) == either);
  Expect(chatsieve::DetectAtLevel(filter.Keys(), 3, text) == 0);
}

void CheckNarrow(const BadChatMan& filter, const ReferenceEngine& reference,
                 const std::string& text) {
  const int32_t as_written = filter.FindBadWord(text.c_str());
  const int32_t stripped = filter.FindBadWordStripped(text.c_str());
  const int32_t either = filter.FindBadWordEitherWay(text.c_str());
  Expect(either == (stripped != 0 ? stripped : as_written));
  Expect(as_written == reference.Detect(1, text.c_str()));
  Expect(either == reference.Detect(2, text.c_str()));
  chatsieve::WideWork wide;
  if (chatsieve::NarrowToWide(text.c_str(), wide) <= 0) return;
  Expect(filter.FindBadWordW(wide.Data()) == as_written);
  Expect(filter.FindBadWordStrippedW(wide.Data()) == stripped);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input input(data, size);
  const uint8_t flags = input.Byte();
  const int word_count = flags & 0x1F;
  const bool some_added_after_sorting = (flags & 0x20) != 0;
  chatsieve::LegacyWordList list;
  for (int i = 0; i < word_count && !input.Empty(); ++i) {
    if (some_added_after_sorting && i == word_count / 2) list.SortBuckets();
    std::u16string word(input.Byte() % 16, u'\0');
    for (char16_t& unit : word)
      unit = input.Unit();
    list.AddWord(word.c_str());
  }
  if (!some_added_after_sorting) list.SortBuckets();
  const BadChatMan filter(std::move(list));

  const std::string narrow = input.RestAsBytes();
  std::u16string wide(narrow.size() / 2, u'\0');
  for (size_t i = 0; i < wide.size(); ++i) {
    wide[i] = static_cast<char16_t>(static_cast<uint8_t>(narrow[2 * i]) |
                                    (static_cast<uint8_t>(narrow[2 * i + 1]) << 8));
  }
  const ReferenceEngine reference(filter.Words());
  CheckNarrow(filter, reference, narrow);
  CheckWide(filter, reference, wide.c_str());
  return 0;
}
