#include <cstdio>
#include <stdexcept>
#include <string>

#include "chatsieve/chatsieve.h"
#include "commands.h"
#include "screening_input.h"

namespace chatsieve::tool {
namespace {

constexpr int kClean = 0;
constexpr int kListedWordFound = 1;
constexpr int kError = 2;

void PrintHelp() {
  std::printf(
      "usage: chatsieve check [OPTIONS] [TEXT...]\n\n"
      "Screens each TEXT, or each line of standard input, and prints 'listed' or 'clean'\n"
      "before it. Exit status: 0 all clean, 1 a listed word found, 2 an error.\n\n"
      "options:\n%s"
      "  --quiet          print nothing; only the exit status tells\n",
      kCommonOptionsHelp);
}

}  // namespace

int RunCheck(Arguments arguments) {
  ScreeningOptions options;
  bool quiet = false;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--help") {
      PrintHelp();
      return 0;
    }
    if (arguments[i] == "--quiet") {
      quiet = true;
    } else if (!TakeCommonOption(arguments, i, options)) {
      if (arguments[i].starts_with("--")) {
        throw std::invalid_argument("unknown option " + std::string(arguments[i]));
      }
      options.texts.emplace_back(arguments[i]);
    }
  }
  LoadWordList(options);
  if (options.level) SetLevel(*options.level);

  int status = kClean;
  const bool read = ForEachText(options, [&](const std::string& text) {
    int32_t found = 0;
    if (options.encoding == Encoding::kCp949) {
      found = IsBad(text.c_str());
    } else if (const auto wide = WideTextOf(text)) {
      found = IsBadW(wide->c_str());
    } else {
      status = kError;
      return;
    }
    if (found != 0 && status == kClean) status = kListedWordFound;
    if (!quiet) std::printf("%s\t%s\n", found != 0 ? "listed" : "clean", text.c_str());
  });
  return read ? status : kError;
}

}  // namespace chatsieve::tool
