#include <cstdio>

#include "chatsieve/version.h"
#include "commands.h"

namespace chatsieve::tool {

int RunVersion(Arguments arguments) {
  if (!arguments.empty()) {
    std::puts(
        "usage: chatsieve version\n\n"
        "Prints the version of the tool, then that of the library it runs with, as the\n"
        "library reports it.");
    return arguments.front() == "--help" ? 0 : 2;
  }
  std::printf("chatsieve %s\nlibchatsieve %s\n", CHATSIEVE_VERSION, chatsieve_version());
  return 0;
}

}  // namespace chatsieve::tool
