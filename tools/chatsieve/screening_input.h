// What `check` and `mask` share: their common options, loading the word list through
// the library's exports as a host would, and the texts to screen.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "commands.h"

namespace chatsieve::tool {

enum class Encoding { kUtf8, kCp949 };

struct ScreeningOptions {
  std::optional<int32_t> level;
  std::optional<std::string> list;
  Encoding encoding = Encoding::kUtf8;
  std::vector<std::string> texts;  // none: read lines from standard input
};

// Takes the option at `arguments[index]` if it is a common one (advancing `index` past
// its value) and returns true; returns false for anything else. Throws
// std::invalid_argument with a message for a bad value.
bool TakeCommonOption(Arguments arguments, size_t& index, ScreeningOptions& options);

// The usage lines of the common options.
extern const char* const kCommonOptionsHelp;

// Loads the list the options name, or the default list beside the library (the wide
// one for UTF-8 text, the narrow one for code page 949). Throws std::runtime_error.
void LoadWordList(const ScreeningOptions& options);

// Calls `screen` with each text: the arguments, or each line of standard input without
// its line break. Returns false if standard input could not be read.
bool ForEachText(const ScreeningOptions& options,
                 const std::function<void(const std::string&)>& screen);

// The text as UTF-16, or nothing (with a message on standard error) when it is not UTF-8.
std::optional<std::u16string> WideTextOf(const std::string& utf8);

}  // namespace chatsieve::tool
