// Where the library itself lives, for finding the word-list files beside it.
#pragma once

#include <string>

namespace chatsieve::platform {

// Separates a module's folder from its file name in the names below.
#if defined(_WIN32)
inline constexpr char kFolderSeparator = '\\';
#else
inline constexpr char kFolderSeparator = '/';
#endif

// The file name of the shared object, DLL or executable that holds `address_inside`,
// as the system's narrow file functions take it; empty when the system cannot tell. A
// Windows module handle is such an address.
std::string ModuleFileNameOf(const void* address_inside);

// The same name in UTF-16, as the system's wide file functions take it.
std::u16string WideModuleFileNameOf(const void* address_inside);

}  // namespace chatsieve::platform
