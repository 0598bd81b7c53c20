#include "text/utf8.h"

#include "text/unicode_text.h"

namespace chatsieve::platform {

void AppendUtf16(std::u16string& out, char32_t code_point) {
  if (code_point < 0x10000) {
    out.push_back(static_cast<char16_t>(code_point));
  } else {
    code_point -= 0x10000;
    out.push_back(static_cast<char16_t>(0xD800 + (code_point >> 10)));
    out.push_back(static_cast<char16_t>(0xDC00 + (code_point & 0x3FF)));
  }
}

void AppendUtf8(std::string& out, char32_t code_point) {
  if (code_point < 0x80) {
    out.push_back(static_cast<char>(code_point));
  } else if (code_point < 0x800) {
    out.push_back(static_cast<char>(0xC0 | (code_point >> 6)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else if (code_point < 0x10000) {
    out.push_back(static_cast<char>(0xE0 | (code_point >> 12)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | (code_point >> 18)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 12) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | ((code_point >> 6) & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code_point & 0x3F)));
  }
}

// Both conversions read characters as the screening does (unicode_text.h); only what
// they do with an invalid one differs.
std::optional<std::u16string> Utf8ToUtf16(std::string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (size_t i = 0; i < text.size();) {
    const DecodedChar decoded = Utf8::Decode(text.data() + i, text.size() - i);
    if (decoded.code_point == kInvalidChar) return std::nullopt;
    AppendUtf16(out, decoded.code_point);
    i += decoded.units;
  }
  return out;
}

bool IsUtf8(std::string_view text) {
  for (size_t i = 0; i < text.size();) {
    const DecodedChar decoded = Utf8::Decode(text.data() + i, text.size() - i);
    if (decoded.code_point == kInvalidChar) return false;
    i += decoded.units;
  }
  return true;
}

std::string Utf16ToUtf8(std::u16string_view text) {
  std::string out;
  out.reserve(text.size() * 3);
  for (size_t i = 0; i < text.size();) {
    const DecodedChar decoded = Utf16::Decode(text.data() + i, text.size() - i);
    AppendUtf8(out, decoded.code_point == kInvalidChar ? U'\uFFFD' : decoded.code_point);
    i += decoded.units;
  }
  return out;
}

}  // namespace chatsieve::platform
