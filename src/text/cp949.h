// Conversion between code page 949 (Unified Hangul Code) and UTF-16.
//
// Both directions share one calling shape:
//  - source_length -1 converts up to and including the source's terminating zero,
//    and the result then counts that terminator; a length of 0 or more converts
//    exactly that many source bytes or units;
//  - a null destination (or capacity 0) asks only for the size the output needs;
//  - the result is the number of units or bytes the output needs or received, and 0
//    on failure: a source length below -1 or of 0, a null source, or an output that
//    does not fit in the capacity. Nothing is ever written past the capacity; after
//    a failure the destination's contents are unspecified.
//
// On Windows the system's converter does the work (code page 949, no flags), and
// malformed input and units without a form are replaced as it chooses; n bytes still
// never decode to more than n units. Elsewhere our own tables do, as follows.
//
// Decoding follows the WHATWG EUC-KR decoder (which is windows-949): a pair without a
// mapping gives U+FFFD, a trail byte below 0x80 is not consumed but read again as
// itself, a lone 0x80 or 0xFF gives U+FFFD, and a lead byte at the end of the source
// (or just before its terminator) gives U+FFFD without swallowing anything. So n bytes
// never decode to more than n units. Encoding writes '?' for every unit without a
// code page 949 form (lone surrogates and U+FFFD included), so decoding and encoding
// again never makes a text longer.
#pragma once

#include <cstdint>

namespace chatsieve::platform {

int32_t DecodeCp949(const char* source, int32_t source_length, char16_t* destination,
                    int32_t capacity);

int32_t EncodeCp949(const char16_t* source, int32_t source_length, char* destination,
                    int32_t capacity);

// The two-byte form of a unit, or 0 when the unit has none (ASCII has no two-byte form).
uint16_t Cp949DoubleByteOf(char16_t unit);

}  // namespace chatsieve::platform
