#include "screening_command.h"

#include <cstdio>

#include "screener.h"
#include "screening_report.h"
#include "standard_output.h"
#include "text_source.h"

namespace chatsieve::tool {

int RunScreening(ScreeningCommand command, Arguments arguments, void (*print_help)()) {
  const ScreeningSettings settings = ParseScreeningSettings(command, arguments);
  if (settings.help) {
    print_help();
    return 0;
  }
  const auto screener = MakeScreener(settings);
  bool listed = false;
  bool failed = false;
  const bool read = ForEachText(settings.texts, [&](const Text& text) {
    const auto screening = screener->Screen(text);
    if (!screening) {
      failed = true;
      return;
    }
    listed = listed || screening->listed;
    PrintScreening(settings, text, *screening);
  });
  if (!read) {
    std::fputs("chatsieve: cannot read standard input\n", stderr);
    failed = true;
  }
  if (!FlushStandardOutput()) failed = true;
  const bool checks = command == ScreeningCommand::kCheck;
  if (!failed) return checks && listed ? 1 : 0;
  if (checks && listed)
    std::fputs("chatsieve check: listed words were found, but errors occurred\n", stderr);
  return 2;
}

}  // namespace chatsieve::tool
