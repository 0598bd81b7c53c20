// The rules every part of the dictionary and every matcher share: how runs of spaces
// shrink in a narrow word, how ASCII case is ignored, and which entry a bucket tries
// first.
#pragma once

#include <cstdint>

namespace chatsieve {

class BadWord;

// Maps A-Z to a-z and leaves every other unit as it is. No locale is consulted.
constexpr char16_t FoldAsciiCase(char16_t unit) {
  return (unit >= u'A' && unit <= u'Z') ? static_cast<char16_t>(unit + 0x20) : unit;
}

constexpr bool IsAsciiLetter(char16_t unit) {
  return (unit >= u'A' && unit <= u'Z') || (unit >= u'a' && unit <= u'z');
}

// Shrinks every run of 0x20 bytes in `n` code page 949 bytes to one, reading `source`
// and writing `destination`, which may be the same buffer. The byte after a lead byte
// (0x80 and up) is copied without being looked at. A lead byte in the last position
// has no partner within the n bytes: it is copied alone, so nothing is read or written
// past the n bytes and no byte of the word is lost. Returns the collapsed length.
int32_t CollapseSpaces(const char* source, char* destination, int32_t n);

// True when `text` and `word` agree over their first n units with A-Z and a-z taken as
// equal, or when both end (a zero unit) at the same place before n units. Never reads
// `text` past its terminating zero.
bool CompareNoCase(const char16_t* text, const char16_t* word, int32_t n);

// The order of a sorted bucket: more code page 949 bytes first, then more UTF-16 units.
bool LongerFirst(const BadWord& a, const BadWord& b);

}  // namespace chatsieve
