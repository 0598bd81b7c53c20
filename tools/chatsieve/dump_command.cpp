// `chatsieve dump`: the words of a word-list file, as the library would hold them.
#include <cstdio>
#include <memory>
#include <string>
#include <string_view>

#include "commands.h"
#include "numbered_word_list.h"
#include "option_parser.h"
#include "standard_output.h"
#include "text/utf8.h"
#include "word_list_format.h"
#include "wordfile/legacy_word_list.h"
#include "wordfile/word_list.h"

namespace chatsieve::tool {
namespace {

constexpr const char* kUsage =
    "usage: chatsieve dump [--] FILE\n"
    "\n"
    "Loads a narrow or wide word-list file as the library does and prints its words as\n"
    "UTF-8, one a line, in the order the legacy index keeps them (the filter numbers them\n"
    "by their records' order). Standard error tells the word count the file declares and\n"
    "how many words were loaded.\n"
    "\n"
    "Any other file is read as a UTF-8 word list, as the filter reads it: each entry is\n"
    "printed with what the list says of it, WORD<TAB>CATEGORY<TAB>SEVERITY<TAB>WHERE,\n"
    "in the order of the entries' indices (the category empty for none, severity 1 to 3,\n"
    "where anywhere, start or whole). Standard error tells the number of entries and\n"
    "names each line that holds no usable word.\n"
    "\n"
    "exit status:\n"
    "  0  the file loaded\n"
    "  1  its load failed, or lines of a UTF-8 list hold no usable word (the words read\n"
    "     are still printed)\n"
    "  2  bad usage, the file cannot be opened, or standard output cannot be written\n";

// A UTF-8 list, read with the filter's own reader: entries in index order with their
// fields, all four always, so that the output is itself a list that loads the same.
int DumpTextList(const std::string& path) {
  const NumberedWordList list = ReadNumberedWordList(path);
  const WordList& words = list.words;
  for (size_t word = 0; word < words.Size(); ++word) {
    const WordTraits& traits = words.Traits(word);
    const std::string_view text = words[word];
    const std::string& category = words.CategoryName(traits.category);
    const std::string_view place = PlaceName(traits.place);
    std::printf("%.*s\t%s\t%d\t%.*s\n", static_cast<int>(text.size()), text.data(),
                category.c_str(), traits.severity, static_cast<int>(place.size()), place.data());
  }
  std::fprintf(stderr, "%s: UTF-8 word list, %zu words%s\n", path.c_str(), words.Size(),
               list.usable ? "" : "; the lines named above hold no usable word");
  if (!FlushStandardOutput()) return 2;
  return list.usable ? 0 : 1;
}

size_t PrintWords(const LegacyWordList& filter) {
  size_t count = 0;
  filter.ForEachBucket([&count](char16_t, LegacyWordList::Words bucket) {
    for (const auto& word : bucket) {
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
  if (format == WordListFormat::kNeither) return DumpTextList(path);
  auto filter = std::make_unique<LegacyWordList>();
  const int32_t loaded = LoadWordListFile(*filter, path, format);
  const size_t words = PrintWords(*filter);
  std::fprintf(stderr, "%s: %s word list, %d words declared, %zu loaded%s\n", path.c_str(),
               format == WordListFormat::kNarrow ? "narrow" : "wide", filter->WordCount(), words,
               loaded ? "" : "; the load failed");
  if (!FlushStandardOutput()) return 2;
  return loaded ? 0 : 1;
}

}  // namespace chatsieve::tool
