// Where the library itself lives, for finding the word-list files beside it.
#pragma once

#include <string>

namespace chatsieve::platform {

// The file name of the shared object (or executable) that holds `address_inside`, as
// the dynamic loader reports it; empty when it cannot tell.
std::string ModuleFileNameOf(const void* address_inside);

}  // namespace chatsieve::platform
