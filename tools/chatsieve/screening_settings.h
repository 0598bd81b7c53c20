// The settings of `check` and `mask`, read from one table of their options.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "chatsieve/filter.hpp"
#include "commands.h"
#include "filter_setup.h"

namespace chatsieve::tool {

enum class ScreeningCommand { kCheck, kMask };

// The filter of filter.hpp, or the seven legacy exports as a host of the old interface
// uses them.
enum class Engine { kFilter, kLegacy };

enum class Encoding { kUtf8, kCp949 };

enum class OutputFormat { kText, kJson };

struct ScreeningSettings {
  ScreeningCommand command = ScreeningCommand::kCheck;
  Engine engine = Engine::kFilter;
  FilterSetup filter;  // its list, a binary one, for the legacy exports too
  std::optional<int32_t> level;
  Encoding encoding = Encoding::kUtf8;
  OutputFormat format = OutputFormat::kText;
  bool quiet = false;
  std::optional<char32_t> mask_character;
  MaskStyle mask_style = MaskStyle::kWhole;
  bool in_place = false;
  // The texts are one speaker's messages, in order, screened as a conversation.
  bool conversation = false;
  ConversationLimits limits;
  bool help = false;
  std::vector<std::string> texts;  // none: the lines of standard input
};

// Throws UsageError, naming the option, for unknown options, bad values and options
// that the chosen engine does not have.
ScreeningSettings ParseScreeningSettings(ScreeningCommand command, Arguments arguments);

// The options' lines of the command's --help, and what the filter's options share.
void PrintScreeningOptionHelp(ScreeningCommand command);

}  // namespace chatsieve::tool
