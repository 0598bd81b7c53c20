// The two Unicode encodings the filter screens, as one small traits type each: how to read one
// character at a position and how to write one. Invalid input (a byte out of place in
// UTF-8, a lone surrogate in UTF-16) reads as kInvalidChar, one unit at a time, so it
// can never be part of a word and is copied through unchanged.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "text/utf8.h"

namespace chatsieve {

inline constexpr char32_t kInvalidChar = 0xFFFFFFFF;

struct DecodedChar {
  char32_t code_point;
  size_t units;
};

struct Utf8 {
  using Unit = char;

  // Every unit but a continuation byte: counting these counts characters without
  // decoding (a stray continuation byte counts as none).
  static bool BeginsCharacter(Unit unit) {
    return (static_cast<unsigned char>(unit) & 0xC0) != 0x80;
  }

  static DecodedChar Decode(const Unit* text, size_t left) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(text);
    const unsigned char lead = bytes[0];
    if (lead < 0x80) return {lead, 1};
    // Hangul, like most of the 16-bit range, takes three bytes: the common case first.
    if ((lead & 0xF0) == 0xE0 && left >= 3 && (bytes[1] & 0xC0) == 0x80 &&
        (bytes[2] & 0xC0) == 0x80) {
      const char32_t code_point =
          (char32_t{lead & 0x0Fu} << 12) | (char32_t{bytes[1] & 0x3Fu} << 6) | (bytes[2] & 0x3Fu);
      const bool valid = code_point >= 0x800 && (code_point < 0xD800 || code_point > 0xDFFF);
      return valid ? DecodedChar{code_point, 3} : DecodedChar{kInvalidChar, 1};
    }
    return DecodeMultiByte(bytes, left);
  }

  static void Append(std::basic_string<Unit>& out, char32_t code_point) {
    platform::AppendUtf8(out, code_point);
  }

 private:
  static DecodedChar DecodeMultiByte(const unsigned char* text, size_t left) {
    const unsigned char lead = text[0];
    size_t extra;
    char32_t code_point;
    // The second byte's range rules out overlong forms, surrogates and code points
    // past U+10FFFF, so a valid sequence needs no check after it is assembled.
    unsigned char low = 0x80, high = 0xBF;
    if (lead >= 0xC2 && lead <= 0xDF) {
      extra = 1, code_point = lead & 0x1F;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
      extra = 2, code_point = lead & 0x0F;
      if (lead == 0xE0) low = 0xA0;
      if (lead == 0xED) high = 0x9F;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
      extra = 3, code_point = lead & 0x07;
      if (lead == 0xF0) low = 0x90;
      if (lead == 0xF4) high = 0x8F;
    } else {
      return {kInvalidChar, 1};
    }
    if (left <= extra || text[1] < low || text[1] > high) return {kInvalidChar, 1};
    code_point = (code_point << 6) | (text[1] & 0x3F);
    for (size_t k = 2; k <= extra; ++k) {
      // A sequence cut short is invalid as far as it went: one unit, the rest re-read.
      if ((text[k] & 0xC0) != 0x80) return {kInvalidChar, 1};
      code_point = (code_point << 6) | (text[k] & 0x3F);
    }
    return {code_point, extra + 1};
  }
};

struct Utf16 {
  using Unit = char16_t;

  // Every unit but a low surrogate.
  static bool BeginsCharacter(Unit unit) { return (unit & 0xFC00) != 0xDC00; }

  static DecodedChar Decode(const Unit* text, size_t left) {
    const char16_t unit = text[0];
    if (unit < 0xD800 || unit > 0xDFFF) return {unit, 1};
    if (unit <= 0xDBFF && left > 1 && text[1] >= 0xDC00 && text[1] <= 0xDFFF) {
      return {0x10000 + ((char32_t{unit} - 0xD800) << 10) + (text[1] - 0xDC00), 2};
    }
    return {kInvalidChar, 1};
  }

  static void Append(std::basic_string<Unit>& out, char32_t code_point) {
    platform::AppendUtf16(out, code_point);
  }
};

}  // namespace chatsieve
