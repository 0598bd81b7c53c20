#include <cstdio>

#include "commands.h"

namespace chatsieve::tool {

int RunVersion(Arguments arguments) {
  if (!arguments.empty()) {
    std::puts("usage: chatsieve version\n\nPrints the version of the tool and its library.");
    return arguments.front() == "--help" ? 0 : 2;
  }
  std::printf("chatsieve %s\n", CHATSIEVE_VERSION);
  return 0;
}

}  // namespace chatsieve::tool
