// The subcommands of the `chatsieve` tool. Each takes the arguments after its name and
// returns the process exit status; errors go to standard error.
#pragma once

#include <span>
#include <string_view>

namespace chatsieve::tool {

using Arguments = std::span<const std::string_view>;

int RunVersion(Arguments arguments);
int RunCompile(Arguments arguments);
int RunDump(Arguments arguments);
int RunCheck(Arguments arguments);
int RunMask(Arguments arguments);
int RunServe(Arguments arguments);
int RunEval(Arguments arguments);
int RunLint(Arguments arguments);

}  // namespace chatsieve::tool
