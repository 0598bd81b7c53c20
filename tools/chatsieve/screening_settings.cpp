#include "screening_settings.h"

#include <charconv>
#include <cstdio>
#include <optional>
#include <string_view>

#include "filter_setup.h"
#include "option_parser.h"
#include "text/unicode_text.h"

namespace chatsieve::tool {
namespace {

// The settings so far, and the options given that only one engine has, checked once
// every option is read (--legacy may come last).
struct ParseState {
  ScreeningSettings settings;
  std::vector<std::string> legacy_only;
  std::vector<std::string> filter_only;
};

enum class Commands { kCheck, kMask, kBoth };

struct ScreeningOption {
  OptionSyntax syntax;
  Commands commands;
  void (*apply)(ParseState& state, std::string_view value);
};

int32_t LevelOf(std::string_view value) {
  int32_t level = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), level);
  if (error != std::errc() || end != value.data() + value.size() || (level != 1 && level != 2)) {
    throw UsageError("--level takes 1 (as written) or 2 (also stripped), not " + Quoted(value));
  }
  return level;
}

size_t LimitOf(std::string_view option, std::string_view value, size_t most) {
  size_t limit = 0;
  const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), limit);
  if (error != std::errc() || end != value.data() + value.size() || limit < 1 || limit > most) {
    throw UsageError(std::string(option) + " takes a number from 1 to " + std::to_string(most) +
                     ", not " + Quoted(value));
  }
  return limit;
}

char32_t CharacterOf(std::string_view value) {
  if (!value.empty()) {
    const DecodedChar decoded = Utf8::Decode(value.data(), value.size());
    if (decoded.code_point != kInvalidChar && decoded.units == value.size()) {
      return decoded.code_point;
    }
  }
  throw UsageError("--char takes one character, not " + Quoted(value));
}

constexpr ScreeningOption kOptions[] = {
    {{"--legacy", 0, "",
      "screen through the seven legacy exports, as a host of the old\n"
      "interface does (needed for --level, --encoding cp949, --in-place)"},
     Commands::kBoth,
     [](ParseState& state, std::string_view) { state.settings.engine = Engine::kLegacy; }},
    {{"--format", 0, "F",
      "text (default) or json: one object a text, with each match's\n"
      "byte offsets, word index, word, category and severity"},
     Commands::kBoth,
     [](ParseState& state, std::string_view value) {
       if (value == "json") {
         state.settings.format = OutputFormat::kJson;
         state.filter_only.emplace_back("--format json");
       } else if (value == "text") {
         state.settings.format = OutputFormat::kText;
       } else {
         throw UsageError("--format takes text or json, not " + Quoted(value));
       }
     }},
    {{"--quiet", 'q', "", "print nothing; only the exit status tells"},
     Commands::kCheck,
     [](ParseState& state, std::string_view) { state.settings.quiet = true; }},
    {{"--char", 0, "C",
      "the masking character, any single character (default '*');\n"
      "with --legacy one of the Basic Multilingual Plane, with\n"
      "--encoding cp949 an ASCII one"},
     Commands::kMask,
     [](ParseState& state, std::string_view value) {
       state.settings.mask_character = CharacterOf(value);
     }},
    {{"--keep-first", 0, "", "keep the first character of every word found, mask the rest"},
     Commands::kMask,
     [](ParseState& state, std::string_view) {
       state.settings.mask_style = MaskStyle::kKeepFirst;
       state.filter_only.emplace_back("--keep-first");
     }},
    {{"--level", 0, "N", "legacy filter level: 1 as written, 2 also stripped (default 2)"},
     Commands::kBoth,
     [](ParseState& state, std::string_view value) {
       state.settings.level = LevelOf(value);
       state.legacy_only.emplace_back("--level");
     }},
    {{"--encoding", 0, "E", "utf-8 (default) or cp949: how the texts are encoded"},
     Commands::kBoth,
     [](ParseState& state, std::string_view value) {
       if (value == "cp949") {
         state.settings.encoding = Encoding::kCp949;
         state.legacy_only.emplace_back("--encoding cp949");
       } else if (value == "utf-8" || value == "utf8") {
         state.settings.encoding = Encoding::kUtf8;
       } else {
         throw UsageError("--encoding takes utf-8 or cp949, not " + Quoted(value));
       }
     }},
    {{"--conversation", 0, "",
      "the texts are one speaker's messages in order: a word sent in\n"
      "pieces is found in the line that completes it, and with\n"
      "--format json each match lists the lines that took part"},
     Commands::kBoth,
     [](ParseState& state, std::string_view) {
       state.settings.conversation = true;
       state.filter_only.emplace_back("--conversation");
     }},
    {{"--messages", 0, "N",
      "with --conversation, earlier lines each line is joined with\n"
      "(default 3, at most 7)"},
     Commands::kBoth,
     [](ParseState& state, std::string_view value) {
       state.settings.limits.messages =
           LimitOf("--messages", value, CHATSIEVE_CONVERSATION_MAX_MESSAGES);
       state.filter_only.emplace_back("--messages");
     }},
    {{"--characters", 0, "N",
      "with --conversation, code points of earlier lines remembered\n"
      "(default 12, at most 1024)"},
     Commands::kBoth,
     [](ParseState& state, std::string_view value) {
       state.settings.limits.characters =
           LimitOf("--characters", value, CHATSIEVE_CONVERSATION_MAX_CHARACTERS);
       state.filter_only.emplace_back("--characters");
     }},
    {{"--in-place", 0, "",
      "mask with '*' the words the legacy filter object finds in the\n"
      "stripped text, where they stand (no --char or --level)"},
     Commands::kMask,
     [](ParseState& state, std::string_view) {
       state.settings.in_place = true;
       state.legacy_only.emplace_back("--in-place");
     }},
};

std::vector<CommandOption> OptionsOf(ScreeningCommand command, ParseState& state) {
  std::vector<CommandOption> options{HelpOption(state.settings.help)};
  const Commands own = command == ScreeningCommand::kCheck ? Commands::kCheck : Commands::kMask;
  for (const ScreeningOption& option : kOptions) {
    if (option.commands != Commands::kBoth && option.commands != own) continue;
    options.push_back({option.syntax, [&state, apply = option.apply](std::string_view value) {
                         apply(state, value);
                       }});
  }
  // The filter's own options; the legacy exports take a list too, a binary one.
  for (CommandOption& option :
       FilterSetupOptions(state.settings.filter, ListDefault::kLexiconOrLegacyList)) {
    const std::string name(option.syntax.name);
    options.push_back(
        {option.syntax, [&state, name, apply = std::move(option.apply)](std::string_view value) {
           apply(value);
           if (name != "--list") state.filter_only.push_back(name);
         }});
  }
  return options;
}

void CheckEngine(const ParseState& state) {
  const ScreeningSettings& settings = state.settings;
  if (settings.engine == Engine::kFilter && !state.legacy_only.empty()) {
    throw UsageError(state.legacy_only.front() +
                     " screens through the legacy exports: add --legacy");
  }
  if (settings.conversation && settings.command == ScreeningCommand::kMask &&
      settings.format == OutputFormat::kJson) {
    throw UsageError(
        "mask --conversation prints the masked lines: for the lines each word "
        "spans, use check --conversation --format json");
  }
  if (settings.engine == Engine::kLegacy && !state.filter_only.empty()) {
    throw UsageError(state.filter_only.front() + " needs the filter: drop --legacy");
  }
  if (settings.in_place && (settings.mask_character || settings.level)) {
    throw UsageError("--in-place always masks with '*' and takes no --char or --level");
  }
  if (settings.engine == Engine::kLegacy && settings.mask_character) {
    const char32_t limit = settings.encoding == Encoding::kCp949 ? 0x80 : 0x10000;
    if (*settings.mask_character >= limit) {
      throw UsageError(settings.encoding == Encoding::kCp949
                           ? "with --encoding cp949, --char takes an ASCII character"
                           : "with --legacy, --char takes a character of the Basic Multilingual "
                             "Plane");
    }
  }
}

}  // namespace

ScreeningSettings ParseScreeningSettings(ScreeningCommand command, Arguments arguments) {
  ParseState state;
  state.settings.command = command;
  const std::vector<CommandOption> options = OptionsOf(command, state);
  for (std::string_view text : ParseArguments(arguments, options))
    state.settings.texts.emplace_back(text);
  if (!state.settings.help) CheckEngine(state);
  return state.settings;
}

void PrintScreeningOptionHelp(ScreeningCommand command) {
  ParseState unused;
  PrintOptionHelp(stdout, OptionsOf(command, unused));
  std::fputs(
      "\nA UTF-8 list's lines may give each word a category, a severity and where it\n"
      "counts (WORD<TAB>CATEGORY<TAB>SEVERITY<TAB>WHERE); --min-severity and --categories\n"
      "choose which words count. Entries the filter leaves out, or merges into an earlier\n"
      "one, are told on standard error as warnings, which do not change the exit status.\n",
      stdout);
}

}  // namespace chatsieve::tool
