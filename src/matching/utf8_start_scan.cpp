#include "matching/utf8_start_scan.h"

#include <algorithm>
#include <array>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "platform/packed_utf8.h"

namespace chatsieve {
namespace {

constexpr size_t kChunkBytes = 64;

// Bit k set where byte k of `word` starts a character: a continuation byte has its top
// bit set and the next one clear.
unsigned StartBits(uint64_t word) {
  constexpr uint64_t kHighBits = 0x8080808080808080ULL;
  const uint64_t continuation = word & ~(word << 1) & kHighBits;
  const uint64_t starts = (~continuation & kHighBits) >> 7;
  return static_cast<unsigned>((starts * 0x0102040810204080ULL) >> 56);
}

}  // namespace

uint64_t Utf8StartScan::StartsIn(size_t chunk) const {
  const auto* bytes = reinterpret_cast<const unsigned char*>(text_.data());
  const size_t left = text_.size() > chunk ? text_.size() - chunk : 0;
  const size_t whole = std::min(left, kChunkBytes);
  uint64_t starts = 0;
  size_t k = 0;
#if defined(__SSE2__)
  // Sixteen bytes at a time where the machine has the instructions: as signed bytes,
  // continuation bytes are those below -64.
  for (; k + 16 <= whole; k += 16) {
    const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes + chunk + k));
    const int block_starts = _mm_movemask_epi8(_mm_cmpgt_epi8(block, _mm_set1_epi8(-65)));
    starts |= uint64_t{static_cast<uint16_t>(block_starts)} << k;
  }
#endif
  for (; k + 8 <= whole; k += 8) {
    starts |= uint64_t{StartBits(platform::LittleEndianAt<uint64_t>(bytes + chunk + k))} << k;
  }
  for (; k < whole; ++k)
    starts |= uint64_t{(bytes[chunk + k] & 0xC0) != 0x80} << k;
  return starts;
}

uint32_t Utf8StartScan::NameNearEnd(size_t at) const {
  std::array<unsigned char, 4> padded{};
  for (size_t k = 0; k < padded.size() && at + k < text_.size(); ++k)
    padded[k] = static_cast<unsigned char>(text_[at + k]);
  return platform::PackedUtf8Name(padded.data());
}

Utf8StartScan::Chunk Utf8StartScan::NextChunk(size_t chunk) const {
  Chunk next{chunk, 0};
  while (next.starts == 0 && next.begin + kChunkBytes < text_.size()) {
    next.begin += kChunkBytes;
    next.starts = StartsIn(next.begin);
  }
  return next;
}

inline void Utf8StartScan::Step(Window& window) const {
  window.at_1 = window.at_2;
  window.at_2 = window.at_3;
  window.names_1_2 = window.names_1_2 << 32 | window.name_3;
  if (window.starts == 0) [[unlikely]] {
    const Chunk next = NextChunk(window.chunk);
    window.chunk = next.begin;
    window.starts = next.starts;
    if (window.starts == 0) {
      // Past the end every position reads as the end.
      window.at_3 = text_.size();
      window.name_3 = 0;
      return;
    }
  }
  window.at_3 = window.chunk + static_cast<size_t>(std::countr_zero(window.starts));
  window.starts &= window.starts - 1;
  window.name_3 = text_.size() >= 4 && window.at_3 <= text_.size() - 4
                      ? platform::PackedUtf8Name(
                            reinterpret_cast<const unsigned char*>(text_.data()) + window.at_3)
                      : NameNearEnd(window.at_3);
}

Utf8StartScan::Utf8StartScan(KeyStartFilter::View filter, std::string_view text, size_t at)
    : filter_(filter), text_(text) {
  window_.chunk = at;
  window_.starts = StartsIn(at);
  // Three steps fill the window, the first character at `at`: it starts one.
  for (int filled = 0; filled < 3; ++filled)
    Step(window_);
}

template <bool kSingleKeys>
bool Utf8StartScan::Seek() {
  // The hot loop, with the window in registers. Keys of one character are rare: without
  // them the loop does not ask.
  Window window = window_;
  if (tested_) Step(window);
  tested_ = true;
  const KeyStartFilter::View filter = filter_;
  bool found = false;
  for (; window.at_1 < text_.size(); Step(window)) {
    const auto name_1 = static_cast<uint32_t>(window.names_1_2 >> 32);
    const auto name_2 = static_cast<uint32_t>(window.names_1_2);
    if ((kSingleKeys && filter.MayStartSingle(name_1)) ||
        (filter.MayStartPair(window.names_1_2) &&
         filter.MayStartLonger(name_1, name_2, window.name_3))) {
      found = true;
      break;
    }
  }
  window_ = window;
  return found;
}

bool Utf8StartScan::Next() {
  return filter_.HasSingleKeys() ? Seek<true>() : Seek<false>();
}

}  // namespace chatsieve
