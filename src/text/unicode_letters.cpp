#include "text/unicode_letters.h"

#include <algorithm>

#include "text/unicode_letter_table.h"

namespace chatsieve::platform {

bool IsUnicodeLetterOrDigit(char16_t unit) {
  const LetterRange* const end = kLetterRanges + kLetterRangeCount;
  // The first range ending at or after the unit is the only one that can hold it.
  const LetterRange* const range = std::lower_bound(
      kLetterRanges, end, unit, [](const LetterRange& r, char16_t u) { return r.last < u; });
  return range != end && range->first <= unit;
}

}  // namespace chatsieve::platform
