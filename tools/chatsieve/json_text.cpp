#include "json_text.h"

#include <algorithm>
#include <cstdio>

#include "text/utf8.h"

namespace chatsieve::tool {
namespace {

// The length of the UTF-8 sequence a lead byte announces; 1 for a byte that leads none.
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

}  // namespace

void AppendJsonString(std::string& out, std::string_view text) {
  out += '"';
  while (!text.empty()) {
    const auto byte = static_cast<unsigned char>(text.front());
    const size_t length = std::min(SequenceLength(byte), text.size());
    if (byte < 0x80) {
      if (byte == '"' || byte == '\\') {
        out += '\\';
        out += static_cast<char>(byte);
      } else if (byte < 0x20) {
        char escape[8];
        std::snprintf(escape, sizeof escape, "\\u%04x", byte);
        out += escape;
      } else {
        out += static_cast<char>(byte);
      }
      text.remove_prefix(1);
    } else if (platform::IsUtf8(text.substr(0, length))) {
      out.append(text.substr(0, length));
      text.remove_prefix(length);
    } else {
      out += "\xEF\xBF\xBD";
      text.remove_prefix(1);
    }
  }
  out += '"';
}

}  // namespace chatsieve::tool
