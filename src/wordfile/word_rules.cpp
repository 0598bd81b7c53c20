#include "wordfile/word_rules.h"

#include "wordfile/bad_word.h"

namespace chatsieve {

int32_t CollapseSpaces(const char* source, char* destination, int32_t n) {
  int32_t read = 0;
  int32_t written = 0;
  char last_written = 0;
  while (read < n) {
    const char byte = source[read];
    if (byte == ' ' && last_written == ' ') {
      ++read;
    } else if (static_cast<unsigned char>(byte) >= 0x80 && read + 1 < n) {
      // Read the pair before writing: in place, the write may land on the read position.
      const char trail = source[read + 1];
      destination[written] = byte;
      destination[written + 1] = trail;
      read += 2;
      written += 2;
      last_written = trail;
    } else {
      destination[written] = byte;
      ++read;
      ++written;
      last_written = byte;
    }
  }
  return written;
}

bool CompareNoCase(const char16_t* text, const char16_t* word, int32_t n) {
  for (int32_t i = 0; i < n; ++i) {
    if (FoldAsciiCase(text[i]) != FoldAsciiCase(word[i])) return false;
    if (text[i] == 0) return true;
  }
  return true;
}

bool LongerFirst(const BadWord& a, const BadWord& b) {
  if (a.NarrowLength() != b.NarrowLength()) return a.NarrowLength() > b.NarrowLength();
  return a.WideLength() > b.WideLength();
}

}  // namespace chatsieve
