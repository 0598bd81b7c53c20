#include "engine/utf8_start_scan.h"

#include <algorithm>
#include <bit>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

#include "engine/utf8_wide_scan.h"
#include "text/packed_utf8.h"

namespace chatsieve {
namespace {

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

size_t Utf8StartScan::NameStarts(const unsigned char* chunk, uint64_t starts, size_t named) {
  for (; starts != 0; starts &= starts - 1) {
    const auto k = static_cast<unsigned>(std::countr_zero(starts));
    names_[named] = platform::PackedUtf8Name(chunk + k);
    offsets_[named] = static_cast<int32_t>(k);
    ++named;
  }
  return named;
}

void Utf8StartScan::NameNextChunk() {
  // The positions not yet tested wait for the names after them; their offsets now count
  // from the chunk after theirs.
  const size_t kept = named_ - next_;
  for (size_t k = 0; k < kept; ++k) {
    names_[k] = names_[next_ + k];
    offsets_[k] = offsets_[next_ + k] - static_cast<int32_t>(kChunkBytes);
  }
  next_ = 0;
  const unsigned char* chunk = chunk_;
  chunk_at_ = static_cast<size_t>(chunk - begin_);
  const auto left = static_cast<size_t>(end_ - chunk);
  size_t named = kept;
  if (wide_) {
    named += NameChunkWide(chunk, left, passed_, names_.data() + kept, offsets_.data() + kept);
  } else {
    const uint64_t starts = StartsIn(chunk);
    if (left >= kChunkBytes + kNameReach) {
      named = NameStarts(chunk, starts, kept);
    } else {
      // The names of the last few characters read the text's last bytes, shifted down to
      // start at the character: zeros come in above.
      const uint64_t whole = left > kNameReach ? BitsBelow(left - kNameReach) : 0;
      named = NameStarts(chunk, starts & whole, kept);
      const uint32_t last_bytes = platform::LittleEndianAt<uint32_t>(end_ - kLeastBytes);
      for (uint64_t rest = starts & ~whole & BitsBelow(left); rest != 0; rest &= rest - 1) {
        const auto k = static_cast<unsigned>(std::countr_zero(rest));
        names_[named] = platform::PackedUtf8Name(last_bytes >> (8 * (k + kLeastBytes - left)));
        offsets_[named] = static_cast<int32_t>(k);
        ++named;
      }
    }
  }
  if (left > kChunkBytes) {
    named_ = named;
    chunk_ = chunk + kChunkBytes;
    TestChunk();
    return;
  }
  // Past the end every position reads as the end.
  for (int past = 0; past < 2; ++past) {
    names_[named] = 0;
    offsets_[named] = static_cast<int32_t>(left);
    ++named;
  }
  named_ = named;
  named_all_ = true;
  TestChunk();
}

void Utf8StartScan::TestChunk() {
  // A chunk of spaces or stray bytes may leave fewer than two names.
  if (wide_test_ && named_ > 2)
    PassFirstTestWide(filter_, names_.data(), named_ - 2, passes_.data());
}

template <bool kSingleKeys>
bool Utf8StartScan::Seek() {
  // Each pair of names is hashed once: a position's next pair is the first pair of the
  // position after it. Keys of one character are rare: without them the loop does not
  // ask. The few positions the first test lets through go to the second test outside
  // the loop.
  const KeyStartFilter::View filter = filter_;
  for (;;) {
    const uint32_t* names = names_.data();
    size_t at = next_;
    // Positions before `testable` have the two names after them.
    const size_t testable = named_ >= 2 ? named_ - 2 : 0;
    while (at < testable) {
      uint64_t first_two = KeyStartFilter::View::Pair(names[at], names[at + 1]);
      uint64_t first_hash = KeyStartFilter::View::PairHash(first_two);
      for (; at < testable; ++at) {
        const uint64_t next_two = first_two << 32 | names[at + 2];
        const uint64_t next_hash = KeyStartFilter::View::PairHash(next_two);
        if (filter.MayStartHashedPair(first_hash, next_hash) ||
            (kSingleKeys && filter.MayStartSingle(names[at]))) {
          break;
        }
        first_two = next_two;
        first_hash = next_hash;
      }
      if (at == testable) break;
      if ((kSingleKeys && filter.MayStartSingle(names[at])) ||
          filter.MayStartLonger(names[at], names[at + 1], names[at + 2])) {
        tested_ = at;
        next_ = at + 1;
        return true;
      }
      ++at;
    }
    next_ = at;
    if (named_all_) return false;
    NameNextChunk();
  }
}

bool Utf8StartScan::SeekWide() {
  // The first test was run on the whole chunk as it was named; the few positions it let
  // through go to the second test one at a time.
  for (;;) {
    const size_t testable = named_ >= 2 ? named_ - 2 : 0;
    size_t at = next_;
    while (at < testable) {
      const uint64_t passes = passes_[at / 64] >> (at % 64);
      if (passes == 0) {
        at = (at / 64 + 1) * 64;
        continue;
      }
      const size_t k = at + static_cast<size_t>(std::countr_zero(passes));
      if (filter_.MayStartLonger(names_[k], names_[k + 1], names_[k + 2])) {
        tested_ = k;
        next_ = k + 1;
        return true;
      }
      at = k + 1;
    }
    next_ = testable;
    if (named_all_) return false;
    NameNextChunk();
  }
}

bool Utf8StartScan::Next() {
  if (wide_test_) return SeekWide();
  return filter_.HasSingleKeys() ? Seek<true>() : Seek<false>();
}

}  // namespace chatsieve
