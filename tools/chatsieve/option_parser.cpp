#include "option_parser.h"

#include <string>

namespace chatsieve::tool {
namespace {

const CommandOption* Find(std::span<const CommandOption> options, std::string_view argument) {
  for (const CommandOption& option : options) {
    const OptionSyntax& syntax = option.syntax;
    if (argument == syntax.name) return &option;
    if (syntax.short_name != 0 && argument.size() == 2 && argument[1] == syntax.short_name)
      return &option;
  }
  return nullptr;
}

}  // namespace

std::string Quoted(std::string_view argument) {
  std::string quoted(1, '\'');
  quoted.append(argument);
  quoted += '\'';
  return quoted;
}

std::vector<std::string_view> ParseArguments(Arguments arguments,
                                             std::span<const CommandOption> options) {
  std::vector<std::string_view> operands;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--") {
      operands.insert(operands.end(), arguments.begin() + static_cast<std::ptrdiff_t>(i) + 1,
                      arguments.end());
      break;
    }
    if (argument.size() < 2 || argument[0] != '-') {
      operands.push_back(argument);
      continue;
    }
    const size_t equals = argument.starts_with("--") ? argument.find('=') : std::string_view::npos;
    const std::string_view name = argument.substr(0, equals);
    const CommandOption* option = Find(options, name);
    if (option == nullptr) throw UsageError("unknown option " + Quoted(name));
    const OptionSyntax& syntax = option->syntax;
    if (syntax.value_name.empty()) {
      if (equals != std::string_view::npos) throw UsageError(Quoted(name) + " takes no value");
      option->apply({});
    } else if (equals != std::string_view::npos) {
      option->apply(argument.substr(equals + 1));
    } else if (i + 1 < arguments.size()) {
      option->apply(arguments[++i]);
    } else {
      throw UsageError(Quoted(name) + " needs a value (" + std::string(syntax.value_name) + ")");
    }
  }
  return operands;
}

void NoOperandsPast(std::span<const std::string_view> operands, size_t count) {
  if (operands.size() > count) throw UsageError("unexpected argument " + Quoted(operands[count]));
}

std::string_view OnlyOperand(std::span<const std::string_view> operands, std::string_view what) {
  if (operands.empty()) throw UsageError("no " + std::string(what) + " named");
  NoOperandsPast(operands, 1);
  return operands.front();
}

void PrintOptionHelp(std::FILE* out, std::span<const CommandOption> options) {
  for (const CommandOption& option : options) {
    const OptionSyntax& syntax = option.syntax;
    // "-q, --quiet", or the long form alone under the long forms of the others.
    std::string form = "-?, ";
    if (syntax.short_name != 0) {
      form[1] = syntax.short_name;
    } else {
      form.assign(4, ' ');
    }
    form.append(syntax.name);
    if (!syntax.value_name.empty()) {
      form += ' ';
      form.append(syntax.value_name);
    }
    std::string_view help = syntax.help;
    for (bool first = true; !help.empty(); first = false) {
      const size_t newline = help.find('\n');
      const std::string_view line = help.substr(0, newline);
      std::fprintf(out, "  %-20s %.*s\n", first ? form.c_str() : "", static_cast<int>(line.size()),
                   line.data());
      help.remove_prefix(newline == std::string_view::npos ? help.size() : newline + 1);
    }
  }
}

CommandOption HelpOption(bool& wanted) {
  return {{"--help", 'h', "", "print this help and exit"},
          [&wanted](std::string_view) { wanted = true; }};
}

}  // namespace chatsieve::tool
