#include "standard_output.h"

#include <cstdio>

namespace chatsieve::tool {

bool FlushStandardOutput() {
  if (std::fflush(stdout) == 0 && !std::ferror(stdout)) return true;
  std::fputs("chatsieve: cannot write standard output\n", stderr);
  return false;
}

}  // namespace chatsieve::tool
