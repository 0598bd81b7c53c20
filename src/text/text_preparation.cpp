#include "text/text_preparation.h"

#include <algorithm>
#include <cstring>
#include <limits>
#include <string>

#include "text/cp949.h"
#include "text/unicode_letters.h"

namespace chatsieve {
int32_t NarrowToWide(const char* text, WideWork& out) {
  if (text == nullptr) return 0;
  const size_t bytes = std::strlen(text) + 1;
  if (bytes > static_cast<size_t>(std::numeric_limits<int32_t>::max())) return 0;
  // n bytes never decode to more than n units, so a buffer of n units takes the whole
  // text in one pass, without asking the converter for the size first.
  if (!out.Reserve(bytes)) return 0;
  const auto count = static_cast<int32_t>(bytes);
  return platform::DecodeCp949(text, count, out.Data(), count);
}

int32_t WideToNarrow(const char16_t* text, char* destination, int32_t capacity) {
  if (platform::EncodeCp949(text, -1, nullptr, 0) <= 0) return 0;
  return platform::EncodeCp949(text, -1, destination, capacity);
}

int32_t DuplicateWide(const char16_t* text, WideWork& out) {
  const size_t length = std::char_traits<char16_t>::length(text);
  if (length == 0) return 0;
  if (length >= INT32_MAX || !out.Reserve(length + 1)) return -1;
  std::copy_n(text, length + 1, out.Data());
  return static_cast<int32_t>(length);
}

void CopyWide(const char16_t* text, char16_t* destination) {
  const size_t length = std::char_traits<char16_t>::length(text);
  std::copy_n(text, length + 1, destination);
}

int32_t StripText(const char16_t* text, int32_t length, WideWork& out,
                  WorkBuffer<int32_t>* origins) {
  if (length < 0) return -1;
  const size_t size = static_cast<size_t>(length) + 1;
  if (!out.Reserve(size) || (origins != nullptr && !origins->Reserve(size))) return -1;
  int32_t written = 0;
  for (int32_t read = 0; read < length; ++read) {
    const char16_t unit = text[read];
    const bool keep = read == 0 || (unit == u' ' ? out[written - 1] != u' ' : IsKeptChar(unit));
    if (!keep) continue;
    if (origins != nullptr) (*origins)[written] = read;
    out[written++] = unit;
  }
  out[written] = 0;
  return written;
}

bool IsLetterOrDigit(char16_t unit) {
  if (unit < 0x100) {
    return (unit >= u'0' && unit <= u'9') || (unit >= u'A' && unit <= u'Z') ||
           (unit >= u'a' && unit <= u'z');
  }
  return unit != 0xFFFF && platform::IsUnicodeLetterOrDigit(unit);
}

}  // namespace chatsieve
