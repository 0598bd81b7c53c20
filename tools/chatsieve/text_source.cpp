#include "text_source.h"

#include <iostream>

namespace chatsieve::tool {

std::string Text::Where() const {
  return (from_arguments ? "text " : "line ") + std::to_string(number);
}

bool ForEachText(const std::vector<std::string>& arguments,
                 const std::function<void(const Text&)>& screen) {
  if (!arguments.empty()) {
    for (size_t i = 0; i < arguments.size(); ++i)
      screen({arguments[i], i + 1, true});
    return true;
  }
  // Standard input is read only through std::cin.
  std::ios::sync_with_stdio(false);
  size_t number = 0;
  for (std::string line; std::getline(std::cin, line);) {
    if (line.ends_with('\r')) line.pop_back();
    screen({line, ++number, false});
  }
  return !std::cin.bad();
}

}  // namespace chatsieve::tool
