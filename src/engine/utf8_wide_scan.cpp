#include "engine/utf8_wide_scan.h"

#include <algorithm>
#include <bit>

#if (defined(__x86_64__) || defined(__i386__)) && (defined(__GNUC__) || defined(__clang__))
#define CHATSIEVE_WIDE_SCAN 1
// GCC 12 makes some of its vector functions' results from an undefined vector, which its
// own warnings then flag where they are inlined.
#if !defined(__clang__)
#pragma GCC diagnostic ignored "-Wuninitialized"
#pragma GCC diagnostic ignored "-Wmaybe-uninitialized"
#endif
#include <immintrin.h>
#endif

namespace chatsieve {

#if defined(CHATSIEVE_WIDE_SCAN)

// The steps are built for these instructions whatever the build's target; they run only
// where HasWideScan says so.
#define CHATSIEVE_WIDE_STEP __attribute__((target("avx512f,avx512bw,avx512dq,avx512vl,avx512vbmi")))

bool HasWideScan() {
  static const bool has = [] {
    // Read here, as a call from another library's constructor may come before the
    // compiler's run-time has read them.
    __builtin_cpu_init();
    return __builtin_cpu_supports("avx512f") && __builtin_cpu_supports("avx512bw") &&
           __builtin_cpu_supports("avx512dq") && __builtin_cpu_supports("avx512vl") &&
           __builtin_cpu_supports("avx512vbmi");
  }();
  return has;
}

CHATSIEVE_WIDE_STEP size_t NameChunkWide(const unsigned char* chunk, size_t left,
                                         unsigned char passed, uint32_t* names, int32_t* offsets) {
  // Masked loads read nothing past the text's end and give zeros there.
  const uint64_t in_text = BitsBelow(left);
  const __m512i bytes = _mm512_maskz_loadu_epi8(in_text, chunk);
  const __m512i after =
      left > kUtf8ChunkBytes
          ? _mm512_maskz_loadu_epi8(BitsBelow(std::min(left - kUtf8ChunkBytes, kUtf8NameReach)),
                                    chunk + kUtf8ChunkBytes)
          : _mm512_setzero_si512();
  // A character starts at any byte but a continuation byte (below -64 as a signed byte).
  const uint64_t starts =
      _mm512_cmpgt_epi8_mask(bytes, _mm512_set1_epi8(-65)) &
      ~_mm512_cmpeq_epi8_mask(bytes, _mm512_set1_epi8(static_cast<char>(passed))) & in_text;
  // The bytes a name keeps, by its first byte's top five bits: 0xC0 to 0xDF lead two
  // bytes, 0xE0 to 0xEF three, 0xF0 to 0xF7 four; any other byte stands alone.
  const __m512i below_0x80 = _mm512_set1_epi32(0xFF);
  const __m512i from_0x80 =
      _mm512_setr_epi32(0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFFFF, 0xFFFF, 0xFFFF,
                        0xFFFF, 0xFFFFFF, 0xFFFFFF, static_cast<int>(0xFFFFFFFF), 0xFF);
  // Lane i of a group of sixteen positions takes the group's bytes i to i + 3.
  const __m512i window_bytes =
      _mm512_set_epi8(18, 17, 16, 15, 17, 16, 15, 14, 16, 15, 14, 13, 15, 14, 13, 12, 14, 13, 12,
                      11, 13, 12, 11, 10, 12, 11, 10, 9, 11, 10, 9, 8, 10, 9, 8, 7, 9, 8, 7, 6, 8,
                      7, 6, 5, 7, 6, 5, 4, 6, 5, 4, 3, 5, 4, 3, 2, 4, 3, 2, 1, 3, 2, 1, 0);
  const __m512i lanes = _mm512_setr_epi32(0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15);
  size_t named = 0;
  for (int group = 0; group < 4; ++group) {
    const auto in_group = static_cast<__mmask16>(starts >> (16 * group));
    const __m512i windows = _mm512_permutex2var_epi8(
        bytes, _mm512_add_epi8(window_bytes, _mm512_set1_epi8(static_cast<char>(16 * group))),
        after);
    __m512i name = _mm512_and_si512(
        windows, _mm512_permutex2var_epi32(below_0x80, _mm512_srli_epi32(windows, 3), from_0x80));
    // An upper-case ASCII letter is named as its lower case.
    const __mmask16 upper = _mm512_cmplt_epu32_mask(_mm512_sub_epi32(name, _mm512_set1_epi32('A')),
                                                    _mm512_set1_epi32(26));
    name = _mm512_mask_xor_epi32(name, upper, name, _mm512_set1_epi32(0x20));
    _mm512_storeu_si512(names + named, _mm512_maskz_compress_epi32(in_group, name));
    _mm512_storeu_si512(offsets + named,
                        _mm512_maskz_compress_epi32(
                            in_group, _mm512_add_epi32(lanes, _mm512_set1_epi32(16 * group))));
    named += static_cast<size_t>(std::popcount(static_cast<unsigned>(in_group)));
  }
  return named;
}

CHATSIEVE_WIDE_STEP void PassFirstTestWide(const KeyStartFilter::View& filter,
                                           const uint32_t* names, size_t count, uint64_t* passes) {
  const __m512i multiplier =
      _mm512_set1_epi64(static_cast<long long>(KeyStartFilter::View::kPairMultiplier));
  const __m128i slot_shift = _mm_cvtsi32_si128(filter.PairShift());
  const void* slots = filter.PairSlots();
  for (size_t word = 0; word * 64 < count; ++word)
    passes[word] = 0;
  // Eight positions a round, no round waiting for the one before: the slots' loads overlap.
  for (size_t at = 0; at < count; at += 8) {
    const auto lanes = static_cast<__mmask8>(BitsBelow(count - at));
    const __m512i first = _mm512_cvtepu32_epi64(_mm256_maskz_loadu_epi32(lanes, names + at));
    const __m512i second = _mm512_cvtepu32_epi64(_mm256_maskz_loadu_epi32(lanes, names + at + 1));
    const __m512i third = _mm512_cvtepu32_epi64(_mm256_maskz_loadu_epi32(lanes, names + at + 2));
    const __m512i first_hash =
        _mm512_mullo_epi64(_mm512_or_si512(_mm512_slli_epi64(first, 32), second), multiplier);
    const __m512i next_hash =
        _mm512_mullo_epi64(_mm512_or_si512(_mm512_slli_epi64(second, 32), third), multiplier);
    // A slot is read as the low half of four bytes: the filter keeps one slot more.
    const __m256i slot = _mm512_i64gather_epi32(_mm512_srl_epi64(first_hash, slot_shift), slots, 2);
    const __m256i bit =
        _mm512_cvtepi64_epi32(_mm512_srli_epi64(next_hash, KeyStartFilter::kNextPairBitShift));
    const __mmask8 pass =
        _mm256_mask_test_epi32_mask(lanes, _mm256_srlv_epi32(slot, bit), _mm256_set1_epi32(1));
    passes[at / 64] |= uint64_t{pass} << (at % 64);
  }
}

#else

bool HasWideScan() {
  return false;
}

size_t NameChunkWide(const unsigned char*, size_t, unsigned char, uint32_t*, int32_t*) {
  return 0;
}

void PassFirstTestWide(const KeyStartFilter::View&, const uint32_t*, size_t, uint64_t*) {}

#endif

}  // namespace chatsieve
