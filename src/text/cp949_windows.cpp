// Code page 949 through the system's own converter, as legacy hosts on Windows expect:
// code page 949, no flags, no default-character arguments. Malformed input is replaced
// as the system chooses; the calling shape is the one cp949.h describes.
#include <windows.h>

#include <array>
#include <cstdint>

#include "text/cp949.h"

namespace chatsieve::platform {
namespace {

constexpr UINT kCodePage = 949;

// The system takes -1 or a positive length; the rest of the shape is checked here.
bool ValidShape(const void* source, int32_t source_length, int32_t capacity) {
  return source != nullptr && source_length != 0 && source_length >= -1 && capacity >= 0;
}

// Two-byte forms of every unit, asked of the system once. A best-fit form, which
// decodes to another unit, is no form of the unit.
std::array<uint16_t, 0x10000> DoubleByteForms() {
  std::array<uint16_t, 0x10000> forms{};
  for (uint32_t unit = 0x80; unit < forms.size(); ++unit) {
    const auto wide = static_cast<wchar_t>(unit);
    char bytes[4];
    wchar_t back = 0;
    if (WideCharToMultiByte(kCodePage, 0, &wide, 1, bytes, sizeof bytes, nullptr, nullptr) == 2 &&
        MultiByteToWideChar(kCodePage, 0, bytes, 2, &back, 1) == 1 && back == wide) {
      forms[unit] = static_cast<uint16_t>(static_cast<unsigned char>(bytes[0]) << 8 |
                                          static_cast<unsigned char>(bytes[1]));
    }
  }
  return forms;
}

}  // namespace

int32_t DecodeCp949(const char* source, int32_t source_length, char16_t* destination,
                    int32_t capacity) {
  if (!ValidShape(source, source_length, capacity)) return 0;
  if (destination == nullptr) capacity = 0;
  return MultiByteToWideChar(kCodePage, 0, source, source_length,
                             reinterpret_cast<wchar_t*>(destination), capacity);
}

int32_t EncodeCp949(const char16_t* source, int32_t source_length, char* destination,
                    int32_t capacity) {
  if (!ValidShape(source, source_length, capacity)) return 0;
  if (destination == nullptr) capacity = 0;
  return WideCharToMultiByte(kCodePage, 0, reinterpret_cast<const wchar_t*>(source), source_length,
                             destination, capacity, nullptr, nullptr);
}

uint16_t Cp949DoubleByteOf(char16_t unit) {
  static const std::array<uint16_t, 0x10000> forms = DoubleByteForms();
  return forms[unit];
}

}  // namespace chatsieve::platform
