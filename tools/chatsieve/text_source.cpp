#include "text_source.h"

#include <iostream>

namespace chatsieve::tool {
namespace {

// Takes the CR of a CR LF, or of a CR ending the input, off the line: the line end the
// line had.
std::string_view TakeLineEnd(std::string& line, bool ended_by_newline) {
  const bool carriage_return = line.ends_with('\r');
  if (carriage_return) line.pop_back();
  if (ended_by_newline) return carriage_return ? "\r\n" : "\n";
  return carriage_return ? "\r" : "";
}

}  // namespace

std::string Text::Where() const {
  return (from_arguments ? "text " : "line ") + std::to_string(number);
}

bool ForEachText(const std::vector<std::string>& arguments,
                 const std::function<void(const Text&)>& screen) {
  if (!arguments.empty()) {
    for (size_t i = 0; i < arguments.size(); ++i)
      screen({arguments[i], i + 1, true, "\n"});
    return true;
  }
  // Standard input is read only through std::cin.
  std::ios::sync_with_stdio(false);
  size_t number = 0;
  for (std::string line; std::getline(std::cin, line);) {
    // getline stops at the end of the input only when no newline ended the line.
    const std::string_view line_end = TakeLineEnd(line, !std::cin.eof());
    screen({line, ++number, false, line_end});
  }
  return !std::cin.bad();
}

}  // namespace chatsieve::tool
