// Unicode letters and decimal digits, for units from U+0100 up.
#pragma once

namespace chatsieve::platform {

// True when the unit's general category is Lu, Ll, Lt, Lm, Lo or Nd (Unicode 15.0).
// Surrogates, private use and unassigned units are not letters. On Windows the system
// decides instead: true when GetStringTypeW reports the unit alphabetic, upper or lower
// case, or a digit.
bool IsUnicodeLetterOrDigit(char16_t unit);

}  // namespace chatsieve::platform
