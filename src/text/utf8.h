// UTF-8 <-> UTF-16, for file names and for the tool's text, reading characters as
// unicode_text.h does. Strict: malformed UTF-8 (overlong forms, surrogates, bytes out of
// place) is an error, not a guess.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace chatsieve::platform {

std::optional<std::u16string> Utf8ToUtf16(std::string_view text);

bool IsUtf8(std::string_view text);

// Appends one code point (a scalar value) in the encoding.
void AppendUtf8(std::string& out, char32_t code_point);
void AppendUtf16(std::u16string& out, char32_t code_point);

// Lone surrogates have no UTF-8 form and become U+FFFD.
std::string Utf16ToUtf8(std::u16string_view text);

}  // namespace chatsieve::platform
