// `chatsieve compile`: a UTF-8 word list into a narrow or wide word-list file.
#include <cstdio>
#include <memory>
#include <new>
#include <optional>
#include <string>

#include "commands.h"
#include "dictionary/word_index.h"
#include "platform/cp949_exact.h"
#include "platform/utf8.h"
#include "word_list_source.h"

namespace chatsieve::tool {
namespace {

constexpr const char* kUsage =
    "usage: chatsieve compile [--wide] [-o FILE] WORDS.txt\n"
    "\n"
    "Compiles a UTF-8 word list into a word-list file the library loads. WORDS.txt holds\n"
    "one word a line; blank lines and lines starting with '#' are skipped.\n"
    "\n"
    "  --wide    write a wide (UTF-16) list instead of a narrow (code page 949) one\n"
    "  -o FILE   where to write it (default: filter.bcd, or filterW.bcd with --wide);\n"
    "            an existing file is replaced only once the new one is complete\n"
    "\n"
    "A narrow list holds only words code page 949 can carry; the lines of any others are\n"
    "reported and nothing is written. Runs of spaces shrink to one, as loading does.\n";

struct CompileOptions {
  bool wide = false;
  std::string output;
  std::string input;
};

std::optional<CompileOptions> ParseOptions(Arguments arguments) {
  CompileOptions options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string_view argument = arguments[i];
    if (argument == "--wide") {
      options.wide = true;
    } else if (argument == "-o" && i + 1 < arguments.size()) {
      options.output = arguments[++i];
    } else if (argument.starts_with('-') || !options.input.empty()) {
      return std::nullopt;
    } else {
      options.input = argument;
    }
  }
  if (options.input.empty()) return std::nullopt;
  if (options.output.empty()) options.output = options.wide ? "filterW.bcd" : "filter.bcd";
  return options;
}

// Puts one word into the index as a load of the chosen format would; false when the
// narrow format cannot carry it.
bool AddSourceWord(WordIndex& filter, const std::u16string& text, bool wide) {
  auto entry = std::unique_ptr<BadWord>(new BadWord);
  if (wide) {
    if (entry->BuildFromWide(text.c_str()) < 0) throw std::bad_alloc();
  } else {
    const auto bytes = platform::EncodeCp949Exactly(text);
    if (!bytes) return false;
    if (entry->BuildFromNarrow(bytes->c_str(), true) < 0) throw std::bad_alloc();
  }
  filter.InsertWord(entry);
  return true;
}

size_t StoredWords(const WordIndex& filter) {
  size_t count = 0;
  filter.WordMap().ForEachBucket(
      [&count](char16_t, const BadWordList& bucket) { count += bucket.Words().size(); });
  return count;
}

}  // namespace

int RunCompile(Arguments arguments) {
  if (arguments.size() == 1 && arguments.front() == "--help") {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const auto options = ParseOptions(arguments);
  if (!options) {
    std::fputs(kUsage, stderr);
    return 2;
  }
  const WordListSource source = ReadWordList(options->input);
  bool usable = source.problems.empty();
  for (const std::string& problem : source.problems)
    std::fprintf(stderr, "%s\n", problem.c_str());
  auto filter = std::make_unique<WordIndex>();
  for (const SourceWord& word : source.words) {
    if (AddSourceWord(*filter, word.text, options->wide)) continue;
    std::fprintf(stderr, "%s:%zu: \"%s\" has characters code page 949 cannot carry\n",
                 options->input.c_str(), word.line, platform::Utf16ToUtf8(word.text).c_str());
    usable = false;
  }
  if (!usable) {
    std::fprintf(stderr, "chatsieve compile: %s not written\n", options->output.c_str());
    return 1;
  }
  std::string why;
  int32_t written = 0;
  if (options->wide) {
    const auto path = platform::Utf8ToUtf16(options->output);
    why = "the file name is not valid UTF-8";
    written = path ? filter->SaveWordFileW(path->c_str(), &why) : 0;
  } else {
    written = filter->SaveWordFile(options->output.c_str(), &why);
  }
  if (written == 0) {
    std::fprintf(stderr, "chatsieve compile: cannot write %s: %s\n", options->output.c_str(),
                 why.c_str());
    return 1;
  }
  std::printf("%s: %zu words\n", options->output.c_str(), StoredWords(*filter));
  return 0;
}

}  // namespace chatsieve::tool
