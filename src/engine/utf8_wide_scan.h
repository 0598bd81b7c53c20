// The UTF-8 start scan's two steps done many positions at once with 512-bit vector
// instructions, where the processor has them (chosen at run time): naming a 64-byte chunk's
// characters, and the start filter's first test at 16 positions. Each gives what the
// one-at-a-time step gives, in a small fraction of the instructions.
#pragma once

#include <cstddef>
#include <cstdint>

#include "engine/key_index.h"

namespace chatsieve {

// The bytes both ways of naming take at a time, and the bytes a name reads past its
// character's first.
inline constexpr size_t kUtf8ChunkBytes = 64;
inline constexpr size_t kUtf8NameReach = 3;

// The bits below bit `count`.
inline uint64_t BitsBelow(size_t count) {
  return count >= 64 ? ~uint64_t{0} : (uint64_t{1} << count) - 1;
}

// Whether this processor (and its operating system) can run the steps below.
bool HasWideScan();

// Names the characters that start in the 64 bytes from `chunk` (fewer where the text
// ends first: `left` bytes remain from `chunk`), passing over bytes equal to `passed`,
// as PackedUtf8Name does with bytes past the text's end read as zero. Writes each name to
// `names` and its byte offset from `chunk` to `offsets`; both must have room for
// kWideNamesRoom entries, as whole vectors are stored. Returns how many it named.
inline constexpr size_t kWideNamesRoom = 64 + 16;
size_t NameChunkWide(const unsigned char* chunk, size_t left, unsigned char passed, uint32_t* names,
                     int32_t* offsets);

// Sets bit k of `passes` (of the first (count + 63) / 64 words, clearing the others'
// bits) where position k of the first `count` positions of `names` passes the filter's
// first test, from names[k], names[k + 1] and names[k + 2]: `count` + 2 names are read.
void PassFirstTestWide(const KeyStartFilter::View& filter, const uint32_t* names, size_t count,
                       uint64_t* passes);

}  // namespace chatsieve
