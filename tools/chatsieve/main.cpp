// `chatsieve`: screen chat text, and author and inspect word-list files.
#include <cstdio>
#include <exception>
#include <string_view>
#include <vector>

#include "commands.h"
#include "option_parser.h"

namespace {

struct Command {
  std::string_view name;
  std::string_view summary;
  int (*run)(chatsieve::tool::Arguments);
};

constexpr Command kCommands[] = {
    {"version", "print the version", chatsieve::tool::RunVersion},
    {"compile", "compile a UTF-8 word list into a word-list file", chatsieve::tool::RunCompile},
    {"dump", "print the words of a word-list file", chatsieve::tool::RunDump},
    {"check", "tell which texts hold a listed word", chatsieve::tool::RunCheck},
    {"mask", "print texts with every listed word masked", chatsieve::tool::RunMask},
    {"eval", "measure a list against texts people labelled", chatsieve::tool::RunEval},
    {"lint", "report what keeps a list from doing its work", chatsieve::tool::RunLint},
    {"serve", "answer check, find and mask requests over HTTP", chatsieve::tool::RunServe},
};

void PrintUsage(std::FILE* out) {
  std::fputs("usage: chatsieve COMMAND [OPTIONS] [ARGS...]\n\ncommands:\n", out);
  for (const Command& command : kCommands) {
    std::fprintf(out, "  %-9.*s %.*s\n", static_cast<int>(command.name.size()), command.name.data(),
                 static_cast<int>(command.summary.size()), command.summary.data());
  }
  std::fputs(
      "\n'chatsieve COMMAND --help' describes a command and its exit statuses; 2 always\n"
      "means an error.\n",
      out);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    PrintUsage(stderr);
    return 2;
  }
  const std::string_view name = argv[1];
  if (name == "--help" || name == "-h" || name == "help") {
    PrintUsage(stdout);
    return 0;
  }
  const std::vector<std::string_view> arguments(argv + 2, argv + argc);
  for (const Command& command : kCommands) {
    if (command.name != name) continue;
    try {
      return command.run(arguments);
    } catch (const chatsieve::tool::UsageError& error) {
      std::fprintf(stderr, "chatsieve %s: %s\nTry 'chatsieve %s --help'.\n", argv[1], error.what(),
                   argv[1]);
      return 2;
    } catch (const std::exception& error) {
      std::fprintf(stderr, "chatsieve %s: %s\n", argv[1], error.what());
      return 2;
    }
  }
  std::fprintf(stderr, "chatsieve: unknown command '%s'\n\n", argv[1]);
  PrintUsage(stderr);
  return 2;
}
