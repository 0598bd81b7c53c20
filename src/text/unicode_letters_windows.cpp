// Letters and digits from U+0100 up as the system's character-type query reports them.
#include <windows.h>

#include "text/unicode_letters.h"

namespace chatsieve::platform {

bool IsUnicodeLetterOrDigit(char16_t unit) {
  const auto wide = static_cast<wchar_t>(unit);
  WORD type = 0;
  if (!GetStringTypeW(CT_CTYPE1, &wide, 1, &type)) return false;
  return (type & (C1_ALPHA | C1_UPPER | C1_LOWER | C1_DIGIT)) != 0;
}

}  // namespace chatsieve::platform
