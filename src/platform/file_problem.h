// A reason, in the system's words, why a file did not open for reading.
#pragma once

#include <string>

namespace chatsieve::platform {

// Asked right after a failed open: "No such file or directory", "is a directory", ...
std::string WhyNotOpened(const std::string& path);

}  // namespace chatsieve::platform
