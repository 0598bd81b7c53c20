// `chatsieve dump`: the words of a word-list file, as the library would hold them.
#include <cstdio>
#include <memory>
#include <string>

#include "commands.h"
#include "dictionary/word_index.h"
#include "option_parser.h"
#include "platform/utf8.h"
#include "standard_output.h"
#include "word_list_format.h"

namespace chatsieve::tool {
namespace {

constexpr const char* kUsage =
    "usage: chatsieve dump [--] FILE\n"
    "\n"
    "Loads a narrow or wide word-list file as the library does and prints its words as\n"
    "UTF-8, one a line, in the order the index keeps them. Standard error tells the word\n"
    "count the file declares and how many words were loaded.\n"
    "\n"
    "exit status:\n"
    "  0  the file loaded\n"
    "  1  it is not a word-list file, or its load failed (the words read before the\n"
    "     failure are still printed)\n"
    "  2  bad usage, the file cannot be opened, or standard output cannot be written\n";

size_t PrintWords(const WordIndex& filter) {
  size_t count = 0;
  filter.WordMap().ForEachBucket([&count](char16_t, const BadWordList& bucket) {
    for (const auto& word : bucket.Words()) {
      const std::u16string_view text(word->WideText(), static_cast<size_t>(word->WideLength()));
      std::printf("%s\n", platform::Utf16ToUtf8(text).c_str());
      ++count;
    }
  });
  return count;
}

}  // namespace

int RunDump(Arguments arguments) {
  bool help = false;
  const CommandOption options[] = {HelpOption(help)};
  const std::vector<std::string_view> operands = ParseArguments(arguments, options);
  if (help) {
    std::fputs(kUsage, stdout);
    return 0;
  }
  const std::string path(OnlyOperand(operands, "word-list file"));
  const WordListFormat format = WordListFormatOf(path);
  if (format == WordListFormat::kNeither) {
    std::fprintf(stderr, "chatsieve dump: %s is not a word-list file\n", path.c_str());
    return 1;
  }
  auto filter = std::make_unique<WordIndex>();
  const int32_t loaded = LoadWordListFile(*filter, path, format);
  const size_t words = PrintWords(*filter);
  std::fprintf(stderr, "%s: %s word list, %d words declared, %zu loaded%s\n", path.c_str(),
               format == WordListFormat::kNarrow ? "narrow" : "wide", filter->WordCount(), words,
               loaded ? "" : "; the load failed");
  if (!FlushStandardOutput()) return 2;
  return loaded ? 0 : 1;
}

}  // namespace chatsieve::tool
