// Arbitrary word lists, texts, capacities and masks through both masking passes, the
// composition by level and in-place masking, in both encodings. Every destination is
// a heap block of exactly the capacity the call is told, so AddressSanitizer reports
// any write past it; a destination that was written must hold a terminated text.
#include <fuzzer/FuzzedDataProvider.h>

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <iterator>
#include <memory>
#include <string>
#include <utility>

#include "legacy/bad_chat_man.h"
#include "legacy/level_masking.h"
#include "reference_engine.h"
#include "text/cp949.h"

namespace {

using chatsieve::BadChatMan;
using chatsieve::reference::ReferenceEngine;

// Most units come from a few that words and texts share, so that words are found often:
// letters of both cases, a space, punctuation, the usual mask, a Hangul syllable, a
// unit that takes two code page 949 bytes and a lone surrogate.
constexpr char16_t kAlphabet[] = {u'a', u'b', u'A', u'B', u' ', u'.', u'*', 0xAC00, 0xFFE6, 0xD800};

std::u16string DrawText(FuzzedDataProvider& input, size_t max_length) {
  std::u16string text(input.ConsumeIntegralInRange<size_t>(0, max_length), u'\0');
  for (char16_t& unit : text) {
    const auto pick = input.ConsumeIntegral<uint8_t>();
    unit = pick < 240 ? kAlphabet[pick % std::size(kAlphabet)] : input.ConsumeIntegral<uint16_t>();
  }
  // A zero unit ends the text, as it would for the caller.
  return text.substr(0, text.find(u'\0'));
}

std::string Encoded(const std::u16string& text) {
  const int32_t size = chatsieve::platform::EncodeCp949(text.c_str(), -1, nullptr, 0);
  std::string bytes(static_cast<size_t>(std::max(size, 1)), '\0');
  chatsieve::platform::EncodeCp949(text.c_str(), -1, bytes.data(), size);
  return bytes.c_str();
}

void Expect(bool holds) {
  if (!holds) std::abort();
}

// A block of exactly `size` elements, none of them zero, so that a missing terminator
// shows.
template <typename Char>
std::unique_ptr<Char[]> Block(size_t size) {
  auto block = std::make_unique<Char[]>(size);
  std::fill_n(block.get(), size, static_cast<Char>(0x5A));
  return block;
}

template <typename Char>
void ExpectTerminated(const Char* block, size_t size) {
  Expect(std::find(block, block + size, Char{0}) != block + size);
}

// The library's call and the reference engine's, each into its own block of `size`
// elements (or both into none): the same result and the same block after.
template <typename Char, typename Mask>
void ExpectAsReference(size_t size, bool null_destination, Mask mask) {
  auto by_library = Block<Char>(size);
  auto by_reference = Block<Char>(size);
  const int32_t library = mask(null_destination ? nullptr : by_library.get(), false);
  const int32_t reference = mask(null_destination ? nullptr : by_reference.get(), true);
  Expect(library == reference);
  Expect(std::equal(by_library.get(), by_library.get() + size, by_reference.get()));
}

struct Call {
  uint32_t capacity;
  char16_t mask;
  int32_t keep_all;
  int32_t level;
  bool null_destination;
};

void MaskNarrow(const BadChatMan& filter, const ReferenceEngine& reference, const std::string& text,
                const Call& call) {
  const auto capacity = static_cast<int32_t>(call.capacity);
  const auto mask = static_cast<char>(call.mask);
  auto block = Block<char>(call.capacity);
  char* destination = call.null_destination ? nullptr : block.get();
  filter.ReplaceBadWords(text.c_str(), destination, capacity, mask, call.keep_all);
  if (destination != nullptr && capacity > 0) ExpectTerminated(destination, call.capacity);
  ExpectAsReference<char>(call.capacity, call.null_destination, [&](char* into, bool by_reference) {
    return by_reference ? reference.Pass(text.c_str(), into, capacity, mask, call.keep_all != 0)
                        : filter.ReplaceBadWords(text.c_str(), into, capacity, mask, call.keep_all);
  });
  ExpectAsReference<char>(call.capacity, call.null_destination, [&](char* into, bool by_reference) {
    return by_reference ? reference.Mask(call.level, text.c_str(), into, capacity, mask)
                        : chatsieve::MaskAtLevel(filter.Keys(), call.level, text.c_str(), into,
                                                 capacity, mask);
  });
  // A negative capacity only ever costs the first byte.
  auto one = Block<char>(1);
  filter.ReplaceBadWords(text.c_str(), one.get(), -capacity - 1, mask, call.keep_all);
  Expect(one[0] == 0);
  Expect(chatsieve::MaskAtLevel(filter.Keys(), 2, text.c_str(), one.get(), -capacity - 1, mask) ==
         0);
  // The source's own buffer as the destination.
  std::string own = text;
  own.resize(std::max(own.size() + 1, static_cast<size_t>(call.capacity)), '\0');
  filter.ReplaceBadWords(own.data(), own.data(), static_cast<int32_t>(own.size()), mask,
                         call.keep_all);
}

void MaskWide(const BadChatMan& filter, const ReferenceEngine& reference,
              const std::u16string& text, const Call& call) {
  auto block = Block<char16_t>(call.capacity);
  char16_t* destination = call.null_destination ? nullptr : block.get();
  filter.ReplaceBadWordsW(text.c_str(), destination, call.capacity, call.mask, call.keep_all);
  if (destination != nullptr && call.capacity > 0) ExpectTerminated(destination, call.capacity);
  ExpectAsReference<char16_t>(
      call.capacity, call.null_destination, [&](char16_t* into, bool by_reference) {
        return by_reference ? reference.Pass(text.c_str(), into, call.capacity, call.mask,
                                             call.keep_all != 0)
                            : filter.ReplaceBadWordsW(text.c_str(), into, call.capacity, call.mask,
                                                      call.keep_all);
      });
  ExpectAsReference<char16_t>(
      call.capacity, call.null_destination, [&](char16_t* into, bool by_reference) {
        return by_reference
                   ? reference.Mask(call.level, text.c_str(), into, call.capacity, call.mask)
                   : chatsieve::MaskAtLevel(filter.Keys(), call.level, text.c_str(), into,
                                            call.capacity, call.mask);
      });
  std::u16string own = text;
  own.resize(std::max(own.size() + 1, static_cast<size_t>(call.capacity)), u'\0');
  filter.ReplaceBadWordsW(own.data(), own.data(), static_cast<uint32_t>(own.size()), call.mask,
                          call.keep_all);
}

// The in-place forms get exactly the room the source needs, once apart and once in the
// source's own buffer.
void MaskInPlace(const BadChatMan& filter, const ReferenceEngine& reference,
                 const std::string& narrow, const std::u16string& wide) {
  ExpectAsReference<char>(narrow.size() + 1, false, [&](char* into, bool by_reference) {
    return by_reference ? reference.MaskInPlace(narrow.c_str(), into)
                        : filter.ReplaceStripped(narrow.c_str(), into);
  });
  ExpectAsReference<char16_t>(wide.size() + 1, false, [&](char16_t* into, bool by_reference) {
    return by_reference ? reference.MaskInPlace(wide.c_str(), into)
                        : filter.ReplaceStrippedW(wide.c_str(), into);
  });
  auto narrow_block = Block<char>(narrow.size() + 1);
  if (filter.ReplaceStripped(narrow.c_str(), narrow_block.get()) != 0) {
    ExpectTerminated(narrow_block.get(), narrow.size() + 1);
  }
  std::string narrow_own = narrow;
  filter.ReplaceStripped(narrow_own.data(), narrow_own.data());
  auto wide_block = Block<char16_t>(wide.size() + 1);
  if (filter.ReplaceStrippedW(wide.c_str(), wide_block.get()) != 0) {
    ExpectTerminated(wide_block.get(), wide.size() + 1);
  }
  std::u16string wide_own = wide;
  filter.ReplaceStrippedW(wide_own.data(), wide_own.data());
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  FuzzedDataProvider input(data, size);
  chatsieve::LegacyWordList list;
  // Words added after the sort leave their buckets in the order they came.
  const int word_count = input.ConsumeIntegralInRange(0, 12);
  const int sorted_after = input.ConsumeIntegralInRange(0, word_count);
  for (int i = 0; i < word_count; ++i) {
    if (i == sorted_after) list.SortBuckets();
    list.AddWord(DrawText(input, 8).c_str());
  }
  if (sorted_after == word_count) list.SortBuckets();
  const BadChatMan filter(std::move(list));

  Call call;
  call.capacity = input.ConsumeIntegralInRange<uint32_t>(0, 600);
  call.mask = input.ConsumeIntegral<uint16_t>();
  call.keep_all = input.ConsumeIntegralInRange<int32_t>(-1, 1);
  call.level = input.ConsumeIntegralInRange<int32_t>(0, 3);
  call.null_destination = input.ConsumeIntegralInRange(0, 15) == 0;
  const std::u16string wide = DrawText(input, 300);
  const std::string narrow =
      input.ConsumeBool() ? Encoded(wide) : input.ConsumeRandomLengthString();

  const ReferenceEngine reference(filter.Words());
  MaskNarrow(filter, reference, narrow, call);
  MaskWide(filter, reference, wide, call);
  MaskInPlace(filter, reference, narrow, wide);
  return 0;
}
