// `chatsieve mask`: texts with every listed word masked.
#include <cstdio>

#include "commands.h"
#include "screening_command.h"

namespace chatsieve::tool {
namespace {

void PrintHelp() {
  std::fputs(
      "usage: chatsieve mask [OPTIONS] [--] [TEXT...]\n\n"
      "Prints each TEXT, or each line of standard input, with every listed word masked.\n"
      "The filter masks UTF-8 text one mask character per character; with --separators\n"
      "the separators inside a word stay; bytes that are not UTF-8 are copied through.\n"
      "With --legacy the masking exports mask it as a host of the old interface does; a\n"
      "text they cannot take (a zero byte; with UTF-8, bytes that are not UTF-8) is an\n"
      "error and is not printed. Put -- before texts that start with '-'.\n\n"
      "options:\n",
      stdout);
  PrintScreeningOptionHelp(ScreeningCommand::kMask);
  std::fputs(
      "\nexit status:\n"
      "  0  every text was printed, masked where it holds listed words\n"
      "  2  an error: bad usage, a list that cannot be loaded, standard input that cannot\n"
      "     be read, output that cannot be written, or a text the legacy exports cannot\n"
      "     take (the other texts are still printed)\n",
      stdout);
}

}  // namespace

int RunMask(Arguments arguments) {
  return RunScreening(ScreeningCommand::kMask, arguments, PrintHelp);
}

}  // namespace chatsieve::tool
