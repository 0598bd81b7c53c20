// The texts `check` and `mask` screen: their TEXT arguments, or the lines of standard
// input, read one at a time so that memory stays bounded by the longest line. A line is
// screened without its line end, which is kept to be written back as read.
#pragma once

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace chatsieve::tool {

struct Text {
  std::string_view bytes;  // without the line break; may hold zero bytes
  size_t number = 0;       // 1-based
  bool from_arguments = false;
  // What followed the text: "\r\n", "\n", a CR at the end of the input, or nothing
  // after a last line without one; "\n" for a TEXT argument.
  std::string_view line_end;

  // "line 3" or "text 3", for messages.
  std::string Where() const;
};

// Calls `screen` with each text in turn. Returns false when standard input could not
// be read.
bool ForEachText(const std::vector<std::string>& arguments,
                 const std::function<void(const Text&)>& screen);

}  // namespace chatsieve::tool
