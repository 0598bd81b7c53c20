// The command-line syntax every command of the tool shares, parsed from one table of
// options per command: long options (`--list FILE`, `--list=FILE`), documented short
// forms (`-q`, `-o FILE`), `--` ending the options, and any other word that starts
// with '-' refused by name rather than taken as text.
#pragma once

#include <cstdio>
#include <functional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "commands.h"

namespace chatsieve::tool {

// Bad usage: the message names the offending argument. Exit status 2.
class UsageError : public std::invalid_argument {
 public:
  using std::invalid_argument::invalid_argument;
};

struct OptionSyntax {
  std::string_view name;        // the long form, with its dashes
  char short_name = 0;          // 0: no short form
  std::string_view value_name;  // empty for an option that takes no value
  std::string_view help;        // lines after the first start with '\n'
};

struct CommandOption {
  OptionSyntax syntax;
  std::function<void(std::string_view value)> apply;
};

// Applies the options in the order given and returns the other arguments (the
// operands), in order. Throws UsageError.
std::vector<std::string_view> ParseArguments(Arguments arguments,
                                             std::span<const CommandOption> options);

// Throws UsageError naming the first operand past the first `count`.
void NoOperandsPast(std::span<const std::string_view> operands, size_t count);

// The one operand a command takes; throws UsageError when it is missing or not alone.
// `what` names it: "word list".
std::string_view OnlyOperand(std::span<const std::string_view> operands, std::string_view what);

// 'argument', for messages.
std::string Quoted(std::string_view argument);

// The options' lines of a command's --help.
void PrintOptionHelp(std::FILE* out, std::span<const CommandOption> options);

// The -h / --help option every command takes.
CommandOption HelpOption(bool& wanted);

}  // namespace chatsieve::tool
