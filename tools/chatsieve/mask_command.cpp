#include <cstdio>
#include <stdexcept>
#include <string>
#include <vector>

#include "chatsieve/chatsieve.h"
#include "commands.h"
#include "in_place_filter.h"
#include "platform/utf8.h"
#include "screening_input.h"

namespace chatsieve::tool {
namespace {

void PrintHelp() {
  std::printf(
      "usage: chatsieve mask [OPTIONS] [TEXT...]\n\n"
      "Prints each TEXT, or each line of standard input, with every listed word masked.\n"
      "Exit status: 0, or 2 on an error.\n\n"
      "options:\n%s"
      "  --char C         the masking character, any single character (default '*');\n"
      "                   with --encoding cp949 an ASCII character\n"
      "  --in-place       mask words found in the stripped text with '*' where they stand,\n"
      "                   leaving the characters between their letters (no --char, --level)\n",
      kCommonOptionsHelp);
}

struct MaskOptions {
  ScreeningOptions screening;
  std::optional<std::string> mask_character;
  bool in_place = false;
};

MaskOptions Parse(Arguments arguments) {
  MaskOptions options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    if (arguments[i] == "--in-place") {
      options.in_place = true;
    } else if (arguments[i] == "--char") {
      if (i + 1 >= arguments.size()) throw std::invalid_argument("--char needs a value");
      options.mask_character = std::string(arguments[++i]);
    } else if (!TakeCommonOption(arguments, i, options.screening)) {
      if (arguments[i].starts_with("--")) {
        throw std::invalid_argument("unknown option " + std::string(arguments[i]));
      }
      options.screening.texts.emplace_back(arguments[i]);
    }
  }
  if (options.in_place && (options.mask_character || options.screening.level)) {
    throw std::invalid_argument("--in-place always masks with '*' and takes no --char or --level");
  }
  return options;
}

char16_t WideMaskOf(const std::optional<std::string>& character) {
  if (!character) return u'*';
  const auto wide = platform::Utf8ToUtf16(*character);
  if (!wide || wide->size() != 1) {
    throw std::invalid_argument("--char takes one character of the Basic Multilingual Plane");
  }
  return wide->front();
}

char NarrowMaskOf(const std::optional<std::string>& character) {
  if (!character) return '*';
  if (character->size() != 1 || static_cast<unsigned char>(character->front()) >= 0x80) {
    throw std::invalid_argument("with --encoding cp949, --char takes one ASCII character");
  }
  return character->front();
}

std::string MaskedNarrow(const std::string& text, char mask) {
  // Filled with the text first: at a level that masks nothing the buffer stays as it was.
  std::vector<char> masked(text.c_str(), text.c_str() + text.size() + 1);
  IsBadToRep(text.c_str(), masked.data(), static_cast<int32_t>(masked.size()), mask);
  return masked.data();
}

std::optional<std::string> MaskedWide(const std::string& text, char16_t mask) {
  const auto wide = WideTextOf(text);
  if (!wide) return std::nullopt;
  std::vector<char16_t> masked(wide->c_str(), wide->c_str() + wide->size() + 1);
  IsBadToRepW(wide->c_str(), masked.data(), static_cast<uint32_t>(masked.size()), mask);
  return platform::Utf16ToUtf8(masked.data());
}

}  // namespace

int RunMask(Arguments arguments) {
  for (std::string_view argument : arguments) {
    if (argument == "--help") {
      PrintHelp();
      return 0;
    }
  }
  const MaskOptions options = Parse(arguments);
  const ScreeningOptions& screening = options.screening;
  if (options.in_place) return MaskInPlace(screening);

  const bool narrow = screening.encoding == Encoding::kCp949;
  const char narrow_mask = narrow ? NarrowMaskOf(options.mask_character) : '*';
  const char16_t wide_mask = narrow ? u'*' : WideMaskOf(options.mask_character);
  LoadWordList(screening);
  if (screening.level) SetLevel(*screening.level);

  int status = 0;
  const bool read = ForEachText(screening, [&](const std::string& text) {
    const auto masked = narrow ? std::optional<std::string>(MaskedNarrow(text, narrow_mask))
                               : MaskedWide(text, wide_mask);
    if (!masked) {
      status = 2;
      return;
    }
    std::printf("%s\n", masked->c_str());
  });
  return read ? status : 2;
}

}  // namespace chatsieve::tool
