#include "screening_report.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <string_view>

#include "json_text.h"

namespace chatsieve::tool {
namespace {

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
    out += ",\"severity\":" + std::to_string(found.severity);
    if (!found.lines.empty()) {
      out += ",\"lines\":[";
      for (const size_t line : found.lines) {
        if (line != found.lines.front()) out += ',';
        out += std::to_string(line);
      }
      out += ']';
    }
    out += '}';
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
