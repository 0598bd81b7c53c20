#include "labelled_texts.h"

#include <fstream>
#include <optional>
#include <stdexcept>
#include <string_view>

namespace chatsieve::tool {
namespace {

std::vector<std::string_view> Fields(std::string_view line) {
  std::vector<std::string_view> fields;
  for (;;) {
    const size_t tab = line.find('\t');
    fields.push_back(line.substr(0, tab));
    if (tab == std::string_view::npos) return fields;
    line.remove_prefix(tab + 1);
  }
}

// A field in double quotes, with doubled quotes inside, read as its text.
std::string Unquoted(std::string_view field) {
  if (field.size() < 2 || field.front() != '"' || field.back() != '"') return std::string(field);
  std::string text;
  field = field.substr(1, field.size() - 2);
  for (size_t at = 0; at < field.size(); ++at) {
    text += field[at];
    if (field[at] == '"' && at + 1 < field.size() && field[at + 1] == '"') ++at;
  }
  return text;
}

// Whether a line is abusive (true), not (false) or neither (nothing); the text read.
struct Reading {
  std::optional<bool> abusive;
  std::string text;
};

Reading ReadPlain(std::string_view line) {
  const size_t tab = line.rfind('\t');
  if (tab == std::string_view::npos) throw std::invalid_argument("no tab before the label");
  const std::string_view label = line.substr(tab + 1);
  if (label != "0" && label != "1") throw std::invalid_argument("the label must be 1 or 0");
  return {label == "1", std::string(line.substr(0, tab))};
}

Reading ReadKmhas(std::string_view line) {
  const size_t tab = line.rfind('\t');
  if (tab == std::string_view::npos) throw std::invalid_argument("no tab before the labels");
  const std::string_view labels = line.substr(tab + 1);
  std::string text = Unquoted(line.substr(0, tab));
  bool profanity = false;
  std::string_view rest = labels;
  for (;;) {
    const size_t comma = rest.find(',');
    profanity = profanity || rest.substr(0, comma) == "3";
    if (comma == std::string_view::npos) break;
    rest.remove_prefix(comma + 1);
  }
  if (profanity) return {true, std::move(text)};
  if (labels == "8") return {false, std::move(text)};
  return {std::nullopt, std::move(text)};
}

Reading ReadKocohub(std::string_view line) {
  const std::vector<std::string_view> fields = Fields(line);
  if (fields.size() != 4) throw std::invalid_argument("not four fields");
  const std::string_view hate = fields[3];
  if (hate == "offensive" || hate == "hate") return {true, std::string(fields[0])};
  if (hate == "none") return {false, std::string(fields[0])};
  throw std::invalid_argument("hate must be none, offensive or hate");
}

}  // namespace

LabelledTexts ReadLabelledTexts(const std::string& path, LabelFormat format) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error(path + ": cannot open");
  LabelledTexts labelled;
  std::string line;
  for (size_t number = 1; std::getline(in, line); ++number) {
    if (line.ends_with('\r')) line.pop_back();
    // The two data sets' files start with a line of column names.
    if ((number == 1 && format != LabelFormat::kPlain) || line.empty()) continue;
    try {
      Reading reading = format == LabelFormat::kPlain   ? ReadPlain(line)
                        : format == LabelFormat::kKmhas ? ReadKmhas(line)
                                                        : ReadKocohub(line);
      if (!reading.abusive) {
        ++labelled.skipped;
        continue;
      }
      labelled.texts.push_back({std::move(reading.text), *reading.abusive});
    } catch (const std::invalid_argument& problem) {
      throw std::runtime_error(path + ":" + std::to_string(number) + ": " + problem.what());
    }
  }
  if (in.bad()) throw std::runtime_error(path + ": cannot read");
  return labelled;
}

}  // namespace chatsieve::tool
