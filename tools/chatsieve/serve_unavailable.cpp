// `chatsieve serve` in a build without the HTTP service.
#include <cstdio>

#include "commands.h"

namespace chatsieve::tool {

int RunServe(Arguments) {
  std::fputs(
      "chatsieve serve: this build has no HTTP service (it is built on Linux with\n"
      "cpp-httplib and nlohmann-json, unless configured with -DCHATSIEVE_SERVE=OFF)\n",
      stderr);
  return 2;
}

}  // namespace chatsieve::tool
