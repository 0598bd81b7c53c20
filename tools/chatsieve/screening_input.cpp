#include "screening_input.h"

#include <charconv>
#include <cstdio>
#include <iostream>
#include <stdexcept>

#include "chatsieve/chatsieve.h"
#include "platform/utf8.h"
#include "word_list_format.h"

namespace chatsieve::tool {

const char* const kCommonOptionsHelp =
    "  --level N        filter level: 1 as written, 2 also stripped (default: the library's, 2)\n"
    "  --list FILE      word-list file, narrow or wide (default: the list beside the library)\n"
    "  --encoding E     utf-8 (default) or cp949: how the texts are encoded\n";

bool TakeCommonOption(Arguments arguments, size_t& index, ScreeningOptions& options) {
  const std::string_view option = arguments[index];
  if (option != "--level" && option != "--list" && option != "--encoding") return false;
  if (index + 1 >= arguments.size()) {
    throw std::invalid_argument(std::string(option) + " needs a value");
  }
  const std::string_view value = arguments[++index];
  if (option == "--level") {
    int32_t level = 0;
    const auto [end, error] = std::from_chars(value.data(), value.data() + value.size(), level);
    if (error != std::errc() || end != value.data() + value.size()) {
      throw std::invalid_argument("--level takes a whole number, not '" + std::string(value) + "'");
    }
    options.level = level;
  } else if (option == "--list") {
    options.list = std::string(value);
  } else if (value == "utf-8" || value == "utf8") {
    options.encoding = Encoding::kUtf8;
  } else if (value == "cp949") {
    options.encoding = Encoding::kCp949;
  } else {
    throw std::invalid_argument("--encoding takes utf-8 or cp949, not '" + std::string(value) +
                                "'");
  }
  return true;
}

void LoadWordList(const ScreeningOptions& options) {
  if (!options.list) {
    const bool wide = options.encoding == Encoding::kUtf8;
    if ((wide ? InitBadChatManW(nullptr) : InitBadChatMan(nullptr)) == 0) {
      throw std::runtime_error(std::string("cannot load the default word list ") +
                               (wide ? "filterW.bcd" : "filter.bcd") +
                               " beside the library; name one with --list");
    }
    return;
  }
  const std::string& path = *options.list;
  int32_t loaded = 0;
  switch (WordListFormatOf(path)) {
    case WordListFormat::kNarrow:
      loaded = InitBadChatMan(path.c_str());
      break;
    case WordListFormat::kWide: {
      const auto wide_path = platform::Utf8ToUtf16(path);
      if (!wide_path) throw std::runtime_error("the path " + path + " is not UTF-8");
      loaded = InitBadChatManW(wide_path->c_str());
      break;
    }
    case WordListFormat::kNeither:
      throw std::runtime_error(path + " is not a word-list file (or cannot be read)");
  }
  if (loaded == 0) throw std::runtime_error("cannot load the word list " + path);
}

bool ForEachText(const ScreeningOptions& options,
                 const std::function<void(const std::string&)>& screen) {
  if (!options.texts.empty()) {
    for (const std::string& text : options.texts)
      screen(text);
    return true;
  }
  for (std::string line; std::getline(std::cin, line);) {
    if (!line.empty() && line.back() == '\r') line.pop_back();
    screen(line);
  }
  return !std::cin.bad();
}

std::optional<std::u16string> WideTextOf(const std::string& utf8) {
  auto wide = platform::Utf8ToUtf16(utf8);
  if (!wide) std::fprintf(stderr, "chatsieve: skipped a text that is not UTF-8\n");
  return wide;
}

}  // namespace chatsieve::tool
