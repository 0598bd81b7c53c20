// Random texts over a given alphabet, for the differential tests of the Korean readings.
#pragma once

#include <cstddef>
#include <random>
#include <string>

#include "text/unicode_text.h"

namespace chatsieve::testing {

// Between `least` and `most` characters of `alphabet`.
inline std::u32string RandomText(std::mt19937& random, const std::u32string& alphabet, size_t most,
                                 size_t least = 1) {
  std::uniform_int_distribution<size_t> length(least, most), pick(0, alphabet.size() - 1);
  std::u32string text;
  for (size_t k = length(random); k > 0; --k)
    text.push_back(alphabet[pick(random)]);
  return text;
}

inline std::string Utf8Of(const std::u32string& text) {
  std::string out;
  for (const char32_t c : text)
    Utf8::Append(out, c);
  return out;
}

}  // namespace chatsieve::testing
