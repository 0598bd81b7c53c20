// Random words and texts over a small alphabet that makes matches, near misses,
// separators and invalid input frequent.
#pragma once

#include <iterator>
#include <random>
#include <string>
#include <vector>

#include "text/utf8.h"

namespace chatsieve::testing {

class RandomText {
 public:
  explicit RandomText(unsigned seed) : random_(seed) {}

  // A word of kept characters only: Hangul, ASCII letters of both cases, a digit.
  std::string Word() {
    static const std::u16string kLetters = u"시발새끼aAbB1";
    std::u16string word;
    const int length = Between(1, 3);
    for (int k = 0; k < length; ++k)
      word += kLetters[Between(0, static_cast<int>(kLetters.size()) - 1)];
    return platform::Utf16ToUtf8(word);
  }

  std::vector<std::string> Words(int count) {
    std::vector<std::string> words;
    for (int k = 0; k < count; ++k)
      words.push_back(Word());
    return words;
  }

  // UTF-16 text that also holds separators, spaces, a character past 16 bits and lone
  // surrogates.
  std::u16string Text16() {
    static const std::u16string kPieces[] = {u"시", u"발", u"새",         u"끼",     u"a",
                                             u"A",  u"b",  u"B",          u"1",      u" ",
                                             u".",  u"-",  u"\U0001F600", u"\xD800", u"\xDC00"};
    std::u16string text;
    const int length = Between(0, 14);
    for (int k = 0; k < length; ++k)
      text += kPieces[Between(0, static_cast<int>(std::size(kPieces)) - 1)];
    return text;
  }

  // UTF-8 text: as above, with stray bytes for the lone surrogates.
  std::string Text8() {
    static const char kStray[] = {'\x80', '\xEC', '\xFF', '\xC0'};
    const std::u16string wide = Text16();
    std::string text;
    for (size_t k = 0; k < wide.size(); ++k) {
      const bool pair = k + 1 < wide.size() && wide[k] >= 0xD800 && wide[k] <= 0xDBFF &&
                        wide[k + 1] >= 0xDC00 && wide[k + 1] <= 0xDFFF;
      if (pair) {
        text += platform::Utf16ToUtf8(wide.substr(k++, 2));
      } else if (wide[k] >= 0xD800 && wide[k] <= 0xDFFF) {
        text += kStray[Between(0, 3)];
      } else {
        text += platform::Utf16ToUtf8(wide.substr(k, 1));
      }
    }
    return text;
  }

  // UTF-8 text long enough to be read in one block or several.
  std::string LongText8() {
    std::string text;
    const auto bytes = static_cast<size_t>(Between(60, 700));
    while (text.size() < bytes)
      text += Text8();
    return text;
  }

  int Between(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }

 private:
  std::mt19937 random_;
};

// A UTF-8 list of the words, one a line.
inline std::string ListOf(const std::vector<std::string>& words) {
  std::string list;
  for (const std::string& word : words)
    list += word + "\n";
  return list;
}

}  // namespace chatsieve::testing
