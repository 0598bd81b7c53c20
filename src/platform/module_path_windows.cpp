#include <windows.h>

#include <string>

#include "platform/module_path.h"

namespace chatsieve::platform {
namespace {

HMODULE ModuleHolding(const void* address_inside) {
  HMODULE module = nullptr;
  const DWORD flags =
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT;
  if (!GetModuleHandleExW(flags, static_cast<LPCWSTR>(address_inside), &module)) return nullptr;
  return module;
}

// Asks with a growing buffer: a name that fills the buffer may have been cut short.
template <typename Char, typename Query>
std::basic_string<Char> FileNameOf(const void* address_inside, Query query) {
  const HMODULE module = ModuleHolding(address_inside);
  if (module == nullptr) return {};
  constexpr DWORD kLongestName = 32768;
  for (DWORD capacity = MAX_PATH; capacity <= kLongestName; capacity *= 2) {
    std::basic_string<Char> name(capacity, Char{0});
    const DWORD length = query(module, name.data(), capacity);
    if (length == 0) return {};
    if (length < capacity) {
      name.resize(length);
      return name;
    }
  }
  return {};
}

}  // namespace

std::string ModuleFileNameOf(const void* address_inside) {
  return FileNameOf<char>(address_inside, [](HMODULE module, char* name, DWORD capacity) {
    return GetModuleFileNameA(module, name, capacity);
  });
}

std::u16string WideModuleFileNameOf(const void* address_inside) {
  return FileNameOf<char16_t>(address_inside, [](HMODULE module, char16_t* name, DWORD capacity) {
    return GetModuleFileNameW(module, reinterpret_cast<wchar_t*>(name), capacity);
  });
}

}  // namespace chatsieve::platform
