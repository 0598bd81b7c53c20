#include "matching/char_preparation.h"

#include "matching/text_preparation.h"

namespace chatsieve {
namespace {

bool IsKept(char32_t code_point) {
  // Characters past the 16-bit range are two units to the legacy strip, neither kept.
  return code_point < 0x10000 && IsKeptChar(static_cast<char16_t>(code_point));
}

}  // namespace

void SkipSeparators(TextChars& chars) {
  size_t kept = 0;
  for (const TextChar& c : chars) {
    const bool keep = c.code_point == U' ' ? kept == 0 || chars[kept - 1].code_point != U' '
                                           : IsKept(c.code_point);
    if (keep) chars[kept++] = c;
  }
  chars.resize(kept);
}

void PrepareChars(MatchOptions options, TextChars& chars) {
  if (options.Has(MatchOption::kSeparators)) SkipSeparators(chars);
}

}  // namespace chatsieve
