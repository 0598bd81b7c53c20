#include "engine/utf8_start_scan.h"

#include <algorithm>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "text/packed_utf8.h"

namespace chatsieve {
namespace {

constexpr size_t kChunkBytes = 64;

// Bit k set where byte k of `word` starts a character (a continuation byte has its top
// bit set and the next one clear) and is not `passed`.
unsigned StartBits(uint64_t word, unsigned char passed) {
  constexpr uint64_t kHighBits = 0x8080808080808080ULL;
  constexpr uint64_t kLowBits = 0x7F7F7F7F7F7F7F7FULL;
  const uint64_t continuation = word & ~(word << 1) & kHighBits;
  // The top bit of each byte equal to `passed`, with no carry from byte to byte.
  const uint64_t differs = word ^ (passed * 0x0101010101010101ULL);
  const uint64_t equal = ~(((differs & kLowBits) + kLowBits) | differs | kLowBits);
  const uint64_t starts = (~(continuation | equal) & kHighBits) >> 7;
  return static_cast<unsigned>((starts * 0x0102040810204080ULL) >> 56);
}

#if defined(__SSE2__)
// The same for sixteen bytes at once: as signed bytes, continuation bytes are those
// below -64.
unsigned StartBits16(const unsigned char* bytes, unsigned char passed) {
  const __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(bytes));
  const int starts = _mm_movemask_epi8(_mm_cmpgt_epi8(block, _mm_set1_epi8(-65)));
  const int equal =
      _mm_movemask_epi8(_mm_cmpeq_epi8(block, _mm_set1_epi8(static_cast<char>(passed))));
  return static_cast<uint16_t>(starts & ~equal);
}
#endif

}  // namespace

uint64_t Utf8StartScan::StartsIn(const unsigned char* chunk) const {
  const size_t whole = std::min(static_cast<size_t>(end_ - chunk), kChunkBytes);
  // The bytes of the text before the chunk, which a read may reach back over.
  const size_t before = static_cast<size_t>(chunk - begin_);
  uint64_t starts = 0;
  size_t k = 0;
  // The last few bytes are read as the end of a read that reaches back over bytes
  // already read, where the text is that long.
#if defined(__SSE2__)
  // Four reads whatever the length, the last ones moved back to end where the chunk
  // does, so that no branch depends on how long a line is.
  if (whole >= 16) {
    for (size_t block = 0; block < kChunkBytes / 16; ++block) {
      const size_t offset = std::min(16 * block, whole - 16);
      starts |= uint64_t{StartBits16(chunk + offset, passed_)} << offset;
    }
    return starts;
  }
#endif
  for (; k + 8 <= whole; k += 8)
    starts |= uint64_t{StartBits(platform::LittleEndianAt<uint64_t>(chunk + k), passed_)} << k;
  if (k < whole && before + whole >= 8) {
    return starts |
           uint64_t{StartBits(platform::LittleEndianAt<uint64_t>(chunk + whole - 8), passed_)} >>
               (8 - (whole - k)) << k;
  }
  for (; k < whole; ++k) {
    const unsigned char byte = chunk[k];
    starts |= uint64_t{(byte & 0xC0) != 0x80 && byte != passed_} << k;
  }
  return starts;
}

Utf8StartScan::Chunk Utf8StartScan::NextChunk(const unsigned char* chunk) const {
  Chunk next{chunk, 0};
  while (next.starts == 0 && static_cast<size_t>(end_ - next.begin) > kChunkBytes) {
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
    const Chunk next = static_cast<size_t>(end_ - window.chunk) > kChunkBytes
                           ? NextChunk(window.chunk)
                           : Chunk{window.chunk, 0};
    window.chunk = next.begin;
    window.starts = next.starts;
    if (window.starts == 0) {
      // Past the end every position reads as the end.
      window.at_3 = end_;
      window.name_3 = 0;
      return;
    }
  }
  window.at_3 = window.chunk + static_cast<unsigned>(std::countr_zero(window.starts));
  window.starts &= window.starts - 1;
  // Near the end, the last four bytes shifted down to start at the character: zeros come
  // in above.
  window.name_3 = window.at_3 <= last_read_
                      ? platform::PackedUtf8Name(window.at_3)
                      : platform::PackedUtf8Name(platform::LittleEndianAt<uint32_t>(last_read_) >>
                                                 (8 * (window.at_3 - last_read_)));
}

Utf8StartScan::Window Utf8StartScan::FirstWindow() const {
  Window window{};
  window.chunk = window_.at_1;
  window.starts = StartsIn(window.chunk);
  // Three steps fill the window, the first character at where the scan begins.
  for (int filled = 0; filled < 3; ++filled)
    Step(window);
  return window;
}

template <bool kSingleKeys>
bool Utf8StartScan::Seek() {
  // The hot loop, with the window in registers: it calls nothing, and leaves the few
  // positions the first test lets through to the second test outside it. Keys of one
  // character are rare: without them the loop does not ask.
  Window window = window_;
  if (tested_) {
    Step(window);
  } else {
    window = FirstWindow();
    tested_ = true;
  }
  const KeyStartFilter::View filter = filter_;
  bool found = false;
  while (window.at_1 < end_) {
    const auto name_1 = static_cast<uint32_t>(window.names_1_2 >> 32);
    if ((kSingleKeys && filter.MayStartSingle(name_1)) ||
        (filter.MayStartPair(window.names_1_2, window.names_1_2 << 32 | window.name_3) &&
         filter.MayStartLonger(name_1, static_cast<uint32_t>(window.names_1_2), window.name_3))) {
      found = true;
      break;
    }
    Step(window);
    while (window.at_1 < end_ &&
           !filter.MayStartPair(window.names_1_2, window.names_1_2 << 32 | window.name_3) &&
           !(kSingleKeys && filter.MayStartSingle(static_cast<uint32_t>(window.names_1_2 >> 32)))) {
      Step(window);
    }
  }
  window_ = window;
  return found;
}

bool Utf8StartScan::Next() {
  return filter_.HasSingleKeys() ? Seek<true>() : Seek<false>();
}

}  // namespace chatsieve
