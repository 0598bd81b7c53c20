// `chatsieve check`: which texts hold a listed word.
#include <cstdio>

#include "commands.h"
#include "screening_command.h"

namespace chatsieve::tool {
namespace {

void PrintHelp() {
  std::fputs(
      "usage: chatsieve check [OPTIONS] [--] [TEXT...]\n\n"
      "Screens each TEXT, or each line of standard input, and prints 'listed' or 'clean'\n"
      "and a tab before it. The filter screens UTF-8 text whole, zero bytes and bytes\n"
      "that are not UTF-8 included (those are never part of a word). With --legacy the\n"
      "seven legacy exports screen it as a host of the old interface does; a text they\n"
      "cannot take (a zero byte; with UTF-8, bytes that are not UTF-8) is an error.\n"
      "Put -- before texts that start with '-'.\n\n"
      "options:\n",
      stdout);
  PrintScreeningOptionHelp(ScreeningCommand::kCheck);
  std::fputs(
      "\nexit status:\n"
      "  0  every text is clean\n"
      "  1  a listed word was found\n"
      "  2  an error: bad usage, a list that cannot be loaded, standard input that cannot\n"
      "     be read, output that cannot be written, or a text the legacy exports cannot\n"
      "     take (the other texts are still screened). 2 wins over 1: when listed words\n"
      "     were found as well, standard error says so.\n",
      stdout);
}

}  // namespace

int RunCheck(Arguments arguments) {
  return RunScreening(ScreeningCommand::kCheck, arguments, PrintHelp);
}

}  // namespace chatsieve::tool
