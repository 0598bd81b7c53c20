// The byte layout shared by the narrow and the wide word-list file.
//
// Narrow: a prefix byte, the signature, the word count, 16 skipped bytes, then records
// of (length, skipped byte, masked code page 949 text), each after the first preceded
// by the separator. It is read with text-mode translation.
// Wide: the signature and a zero byte, the word count, then records of (unit count,
// UTF-16LE units) back to back. It is read as raw bytes.
// Every integer is a signed 32-bit little-endian value.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>

namespace chatsieve::word_file {

inline constexpr std::string_view kSignature = "KORVASTEL PROGRAM (bad word database)";

// Both formats put 38 bytes before the word count: the signature and one byte.
inline constexpr size_t kHeadSize = kSignature.size() + 1;
inline constexpr size_t kNarrowSkippedBlockSize = 16;
inline constexpr unsigned char kSeparatorFirst = 0x01;
inline constexpr unsigned char kSeparatorSecond = 0x80;

using Head = std::array<unsigned char, kHeadSize>;
using Int32Bytes = std::array<unsigned char, 4>;

// The byte every narrow record's text is XOR-ed with; configured at build time.
unsigned char RecordMask();

// A narrow head has any byte first and then the signature.
bool IsNarrowHead(const Head& head);
// A wide head has the signature first and then a zero byte.
bool IsWideHead(const Head& head);

constexpr int32_t Int32FromBytes(const Int32Bytes& bytes) {
  return static_cast<int32_t>(
      static_cast<uint32_t>(bytes[0]) | static_cast<uint32_t>(bytes[1]) << 8 |
      static_cast<uint32_t>(bytes[2]) << 16 | static_cast<uint32_t>(bytes[3]) << 24);
}

constexpr Int32Bytes BytesOfInt32(int32_t value) {
  const auto bits = static_cast<uint32_t>(value);
  return {static_cast<unsigned char>(bits), static_cast<unsigned char>(bits >> 8),
          static_cast<unsigned char>(bits >> 16), static_cast<unsigned char>(bits >> 24)};
}

}  // namespace chatsieve::word_file
