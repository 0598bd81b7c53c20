// A UTF-8 character named by the bytes that encode it, packed into 32 bits (the first
// byte lowest), ASCII letters in lower case as screening compares them: read from four
// bytes of text with one table look-up and no decoding. Screening turns most text
// positions away by these names before it decodes anything.
#pragma once

#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "text/utf8.h"

namespace chatsieve::platform {

// The bytes at `bytes`, the first lowest: one load on the machines we build for.
template <typename Word>
Word LittleEndianAt(const unsigned char* bytes) {
  Word word;
  std::memcpy(&word, bytes, sizeof word);
  if constexpr (std::endian::native == std::endian::big) {
    Word swapped = 0;
    for (size_t k = 0; k < sizeof word; ++k)
      swapped |= Word{bytes[k]} << (8 * k);
    word = swapped;
  }
  return word;
}

namespace packed_utf8_detail {

struct LeadByte {
  uint32_t mask;        // the bytes its sequence takes
  uint32_t lower_case;  // what turns an upper-case ASCII letter into its lower case
};

constexpr LeadByte LeadByteOf(unsigned lead) {
  if (lead >= 'A' && lead <= 'Z') return {0xFF, 0x20};
  if (lead >= 0xC0 && lead < 0xE0) return {0xFFFF, 0};
  if (lead >= 0xE0 && lead < 0xF0) return {0xFFFFFF, 0};
  if (lead >= 0xF0 && lead < 0xF8) return {0xFFFFFFFF, 0};
  return {0xFF, 0};
}

constexpr std::array<LeadByte, 256> kLeadBytes = [] {
  std::array<LeadByte, 256> leads{};
  for (unsigned lead = 0; lead < 256; ++lead)
    leads[lead] = LeadByteOf(lead);
  return leads;
}();

}  // namespace packed_utf8_detail

// The name of the character that starts at `text`, four bytes being readable there (or
// given as one value, the first lowest). A malformed sequence gets some name too: it encodes no
// character, so its name is no character's name, and it is never part of a word.
inline uint32_t PackedUtf8Name(uint32_t four_bytes) {
  const packed_utf8_detail::LeadByte lead = packed_utf8_detail::kLeadBytes[four_bytes & 0xFF];
  return (four_bytes & lead.mask) ^ lead.lower_case;
}

inline uint32_t PackedUtf8Name(const unsigned char* text) {
  return PackedUtf8Name(LittleEndianAt<uint32_t>(text));
}

// The name of a code point's UTF-8 form.
inline uint32_t PackedUtf8Of(char32_t code_point) {
  std::string encoded;
  AppendUtf8(encoded, code_point);
  std::array<unsigned char, 4> bytes{};
  for (size_t k = 0; k < bytes.size() && k < encoded.size(); ++k)
    bytes[k] = static_cast<unsigned char>(encoded[k]);
  return PackedUtf8Name(bytes.data());
}

}  // namespace chatsieve::platform
