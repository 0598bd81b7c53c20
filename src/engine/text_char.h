// The text as the filter's matcher reads it: one entry per character, with the span of
// the caller's units it stands for. Options that skip characters leave them out;
// options that read several characters as one give that one the span of them all.
#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

#include "text/unicode_text.h"

namespace chatsieve {

struct TextChar {
  char32_t code_point;
  size_t begin;
  size_t end;
};

using TextChars = std::vector<TextChar>;

// A-Z read as a-z, as every comparison of the filter takes them.
constexpr char32_t FoldCase(char32_t code_point) {
  return code_point - U'A' < 26 ? code_point + 0x20 : code_point;
}

constexpr bool IsLatinLetter(char32_t folded) {
  return folded - U'a' < 26;
}

// Every character of `text`, case folded, invalid input as kInvalidChar.
template <typename Encoding>
void ReadTextChars(std::basic_string_view<typename Encoding::Unit> text, TextChars& out) {
  out.clear();
  for (size_t at = 0; at < text.size();) {
    const DecodedChar decoded = Encoding::Decode(text.data() + at, text.size() - at);
    out.push_back({FoldCase(decoded.code_point), at, at + decoded.units});
    at += decoded.units;
  }
}

}  // namespace chatsieve
