// JSON strings the tool writes by hand, for output whose shape it fixes itself.
#pragma once

#include <string>
#include <string_view>

namespace chatsieve::tool {

// Appends `text` as a JSON string. JSON strings hold Unicode text: bytes that are not
// UTF-8 become U+FFFD.
void AppendJsonString(std::string& out, std::string_view text);

}  // namespace chatsieve::tool
