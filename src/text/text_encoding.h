// The two encodings callers hand text in, as the matchers need them: how a caller's
// text becomes the UTF-16 working text every matcher scans, and how a masked working
// text goes back into the caller's buffer. Each operation is written once over these
// traits; only what truly differs between code page 949 and UTF-16 lives here.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "text/cp949.h"
#include "text/text_preparation.h"

namespace chatsieve {

// A text as detection scans it.
struct ScannedText {
  // Terminated; null when the text could not be had.
  const char16_t* units = nullptr;
  // Known when converting the text told it; otherwise counted only if a scan needs it.
  std::optional<size_t> length;
};

struct Cp949Text {
  using Char = char;
  using Capacity = int32_t;

  // The text decoded into `work`, for detection to scan.
  static ScannedText Scanned(const char* text, WideWork& work) {
    const int32_t count = NarrowToWide(text, work);
    if (count <= 0) return {};
    return {work.Data(), static_cast<size_t>(count) - 1};
  }

  // The source decoded into `working` when it is not empty and, with its terminator,
  // fits in `size` bytes: its length in units, else 0. n bytes never decode to more
  // than n units.
  static int32_t MaskingCopy(const char* source, int32_t size, WideWork& working) {
    if (source == nullptr || size < 0) return 0;
    const size_t bytes = std::strlen(source) + 1;
    if (bytes == 1 || bytes > static_cast<size_t>(size) || !working.Reserve(bytes)) return 0;
    const auto count = static_cast<int32_t>(bytes);
    return platform::DecodeCp949(source, count, working.Data(), count) - 1;
  }

  // A byte of 0x80 and up becomes U+FF80..U+FFFF, as a signed char widens.
  static char16_t UnitMask(char mask) {
    const auto byte = static_cast<unsigned char>(mask);
    return static_cast<char16_t>(byte < 0x80 ? byte : 0xFF00 | byte);
  }

  // Ends a pass: the working copy re-encoded into the destination, or an empty text
  // when the pass failed (`masked` < 0) or the re-encoded text does not fit. Bytes
  // after the text are left alone. Returns the pass's result.
  static int32_t WriteMasked(const char16_t* working, int32_t length, char16_t unit_mask,
                             int32_t masked, char* destination, int32_t size) {
    // A zero mask may have ended the text early; otherwise its length is known.
    const int32_t units = unit_mask != 0 ? length + 1 : -1;
    if (masked < 0 || platform::EncodeCp949(working, units, destination, size) == 0) {
      destination[0] = 0;
    }
    return std::max(masked, 0);
  }

  // The source decoded for in-place masking: its length in units, or 0 or less when it
  // cannot be.
  static int32_t InPlaceCopy(const char* source, WideWork& working) {
    return NarrowToWide(source, working) - 1;
  }

  // `size` is the source's, terminator included: masking never lengthens the text, as
  // '*' takes one byte for a character of one or two.
  static void WriteInPlace(const char16_t* working, char* destination, size_t size) {
    WideToNarrow(working, destination, static_cast<int32_t>(size));
  }
};

struct Utf16Text {
  using Char = char16_t;
  using Capacity = uint32_t;

  // The caller's own buffer: detection never changes the text.
  static ScannedText Scanned(const char16_t* text, WideWork& /*work*/) { return {text, {}}; }

  // The source copied into `working` when it is not empty and, with its terminator,
  // fits in `size` units: its length, else 0.
  static int32_t MaskingCopy(const char16_t* source, uint32_t size, WideWork& working) {
    if (source == nullptr) return 0;
    const size_t length = std::char_traits<char16_t>::length(source);
    // Chain positions are 32-bit.
    if (length == 0 || length >= size ||
        length >= static_cast<size_t>(std::numeric_limits<int32_t>::max()) ||
        !working.Reserve(length + 1)) {
      return 0;
    }
    std::copy_n(source, length + 1, working.Data());
    return static_cast<int32_t>(length);
  }

  static char16_t UnitMask(char16_t mask) { return mask; }

  // Ends a pass: the working copy into the destination and the rest of the destination
  // zeroed, or an empty text when the pass failed.
  static int32_t WriteMasked(const char16_t* working, int32_t /*length*/, char16_t /*unit_mask*/,
                             int32_t masked, char16_t* destination, uint32_t size) {
    if (masked < 0) {
      destination[0] = 0;
      return 0;
    }
    // A zero mask ends the text at the first masked unit.
    const size_t written = std::char_traits<char16_t>::length(working);
    std::copy_n(working, written, destination);
    std::fill(destination + written, destination + size, u'\0');
    return masked;
  }

  static int32_t InPlaceCopy(const char16_t* source, WideWork& working) {
    return DuplicateWide(source, working);
  }

  static void WriteInPlace(const char16_t* working, char16_t* destination, size_t /*size*/) {
    CopyWide(working, destination);
  }
};

template <typename Char>
struct EncodingOfChar;
template <>
struct EncodingOfChar<char> {
  using Type = Cp949Text;
};
template <>
struct EncodingOfChar<char16_t> {
  using Type = Utf16Text;
};

// The encoding of texts made of `Char`: code page 949 bytes or UTF-16 units.
template <typename Char>
using EncodingOf = typename EncodingOfChar<Char>::Type;

}  // namespace chatsieve
