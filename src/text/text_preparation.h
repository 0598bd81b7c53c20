// The small, stateless text operations every matcher rests on. Working texts live in a
// caller's WorkBuffer, so the caller decides where they are kept and they are gone when
// it returns.
#pragma once

#include <cstdint>

#include "text/work_buffer.h"

namespace chatsieve {

using WideWork = WorkBuffer<char16_t>;

// Converts a terminated code page 949 text into `out`. Returns the unit count including
// the terminator, or 0 for a null text or when memory runs out.
int32_t NarrowToWide(const char* text, WideWork& out);

// Converts a terminated UTF-16 text into `destination`, which must hold the whole
// result. Returns the bytes written including the terminator, or 0 on failure.
int32_t WideToNarrow(const char16_t* text, char* destination, int32_t capacity);

// Copies a terminated UTF-16 text into `out`. Returns its length without the
// terminator; 0 (an empty text) or -1 (memory) give no copy.
int32_t DuplicateWide(const char16_t* text, WideWork& out);

// Copies the units of a terminated text and its terminator into a destination that
// the caller guarantees is large enough.
void CopyWide(const char16_t* text, char16_t* destination);

// The level-2 strip of a text of `length` units into `out`: the first unit as it is,
// then only kept characters, with runs of spaces collapsed to one. Returns the stripped
// length, or -1 for a negative length or when memory runs out. When `origins` is
// given it receives, for every stripped unit, the position in `text` it came from.
int32_t StripText(const char16_t* text, int32_t length, WideWork& out,
                  WorkBuffer<int32_t>* origins = nullptr);

bool IsLetterOrDigit(char16_t unit);

// A letter or digit, the space U+0020, or a Hangul syllable U+AC00..U+D7A3. Inline,
// since masking asks for every unit of a text, mostly Hangul.
inline bool IsKeptChar(char16_t unit) {
  return unit == u' ' || (unit >= 0xAC00 && unit <= 0xD7A3) || IsLetterOrDigit(unit);
}

}  // namespace chatsieve
