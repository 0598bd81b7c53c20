#include <cstdio>

#include "chatsieve/version.h"
#include "commands.h"
#include "option_parser.h"
#include "standard_output.h"

namespace chatsieve::tool {

int RunVersion(Arguments arguments) {
  bool help = false;
  const CommandOption options[] = {HelpOption(help)};
  const std::vector<std::string_view> operands = ParseArguments(arguments, options);
  if (help) {
    std::puts(
        "usage: chatsieve version\n\n"
        "Prints the version of the tool, then that of the library it runs with, as the\n"
        "library reports it.\n\n"
        "exit status: 0, or 2 on bad usage or when standard output cannot be written");
    return 0;
  }
  NoOperandsPast(operands, 0);
  std::printf("chatsieve %s\nlibchatsieve %s\n", CHATSIEVE_VERSION, chatsieve_version());
  return FlushStandardOutput() ? 0 : 2;
}

}  // namespace chatsieve::tool
