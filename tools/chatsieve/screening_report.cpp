#include "screening_report.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "platform/utf8.h"

namespace chatsieve::tool {
namespace {

// The length of the UTF-8 sequence a lead byte announces; 1 for a byte that leads none.
size_t SequenceLength(unsigned char lead) {
  if (lead >= 0xF0) return 4;
  if (lead >= 0xE0) return 3;
  if (lead >= 0xC0) return 2;
  return 1;
}

// JSON strings hold Unicode text: bytes that are not UTF-8 become U+FFFD.
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

std::string JsonLine(const ScreeningSettings& settings, const Text& text,
                     const Screening& screening) {
  std::string out = "{\"line\":" + std::to_string(text.number);
  if (settings.command == ScreeningCommand::kCheck) {
    out += screening.listed ? ",\"listed\":true" : ",\"listed\":false";
  } else {
    out += ",\"masked\":";
    AppendJsonString(out, screening.masked);
  }
  out += ",\"matches\":[";
  for (const FoundWord& found : screening.found) {
    if (&found != &screening.found.front()) out += ',';
    out += "{\"start\":" + std::to_string(found.begin) + ",\"end\":" + std::to_string(found.end) +
           ",\"word\":" + std::to_string(found.word) + ",\"text\":";
    AppendJsonString(out, found.text);
    out += ",\"category\":";
    AppendJsonString(out, found.category);
    out += ",\"severity\":" + std::to_string(found.severity) + '}';
  }
  out += "]}\n";
  return out;
}

void Print(std::string_view line) {
  std::fwrite(line.data(), 1, line.size(), stdout);
}

}  // namespace

void PrintScreening(const ScreeningSettings& settings, const Text& text,
                    const Screening& screening) {
  if (settings.quiet) return;
  if (settings.format == OutputFormat::kJson) {
    Print(JsonLine(settings, text, screening));
  } else if (settings.command == ScreeningCommand::kMask) {
    Print(screening.masked);
    Print(text.line_end);
  } else {
    Print(screening.listed ? "listed\t" : "clean\t");
    Print(text.bytes);
    Print(text.line_end);
  }
}

}  // namespace chatsieve::tool
