#include "legacy/word_start_filter.h"

#include <bit>

namespace chatsieve {
namespace {

constexpr size_t kBitsPerPair = 16;
constexpr size_t kMinimumBits = 4096;

}  // namespace

void WordStartFilter::Add(const char16_t* text, int32_t text_length) {
  const char16_t first = FoldAsciiCase(text[0]);
  if (text_length <= 1) {
    Set(short_words_.data(), first);
    return;
  }
  const char16_t second = FoldAsciiCase(text[1]);
  pairs_.push_back((uint32_t{first} << 16) | second);
  if (pairs_.size() * kBitsPerPair > pair_bits_.size() * 64) {
    Rebuild(std::bit_ceil(std::max(kMinimumBits, pairs_.size() * kBitsPerPair * 2)));
  } else {
    Set(pair_bits_.data(), PairSlot(first, second));
  }
}

void WordStartFilter::Rebuild(size_t bit_count) {
  std::vector<uint64_t> bits(bit_count / 64);
  pair_bits_.swap(bits);
  pair_shift_ = 64 - std::countr_zero(bit_count);
  for (const uint32_t pair : pairs_) {
    Set(pair_bits_.data(),
        PairSlot(static_cast<char16_t>(pair >> 16), static_cast<char16_t>(pair)));
  }
}

void WordStartFilter::Clear() {
  short_words_.fill(0);
  pair_bits_.clear();
  pairs_.clear();
  pair_shift_ = 64;
}

}  // namespace chatsieve
