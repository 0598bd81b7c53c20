// `chatsieve compile`: a UTF-8 word list into a narrow or wide word-list file.
#include <cstdio>
#include <memory>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "commands.h"
#include "numbered_word_list.h"
#include "option_parser.h"
#include "standard_output.h"
#include "text/cp949_exact.h"
#include "text/utf8.h"
#include "wordfile/legacy_word_list.h"

namespace chatsieve::tool {
namespace {

constexpr const char* kUsage =
    "usage: chatsieve compile [--wide] [-o FILE] [--] WORDS.txt\n"
    "\n"
    "Compiles a UTF-8 word list into a word-list file the library loads. WORDS.txt holds\n"
    "one word a line; blank lines and lines starting with '#' are skipped. The fields\n"
    "after a word (category, severity, where) are read and checked, but the file holds\n"
    "words alone: standard error tells how many words lose theirs.\n"
    "\n"
    "options:\n";

constexpr const char* kDetails =
    "\n"
    "A narrow list holds only words code page 949 can carry; the lines of any others are\n"
    "reported and nothing is written. Runs of spaces shrink to one, as loading does.\n"
    "\n"
    "exit status:\n"
    "  0  the file was written\n"
    "  1  lines of the list hold no usable word, or the file cannot be written; an\n"
    "     existing file is left as it was\n"
    "  2  bad usage, the list cannot be read, or standard output cannot be written (the\n"
    "     file is written all the same)\n";

struct CompileOptions {
  bool help = false;
  bool wide = false;
  std::string output;
  std::string input;
};

// Answers --help itself, where the table of options is.
CompileOptions ParseOptions(Arguments arguments) {
  CompileOptions options;
  const CommandOption table[] = {
      HelpOption(options.help),
      {{"--wide", 0, "", "write a wide (UTF-16) list instead of a narrow (code page 949) one"},
       [&](std::string_view) { options.wide = true; }},
      {{"--output", 'o', "FILE",
        "where to write it (default: filter.bcd, or filterW.bcd with\n"
        "--wide); an existing file is replaced only once the new one\n"
        "is complete"},
       [&](std::string_view value) { options.output = value; }},
  };
  const std::vector<std::string_view> operands = ParseArguments(arguments, table);
  if (options.help) {
    std::fputs(kUsage, stdout);
    PrintOptionHelp(stdout, table);
    std::fputs(kDetails, stdout);
    return options;
  }
  options.input = OnlyOperand(operands, "word list");
  if (options.output.empty()) options.output = options.wide ? "filterW.bcd" : "filter.bcd";
  return options;
}

// Puts one word into the index as a load of the chosen format would; false when the
// narrow format cannot carry it.
bool AddSourceWord(LegacyWordList& filter, std::string_view word, bool wide) {
  const std::u16string text = platform::Utf8ToUtf16(word).value();  // the reader checked it
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

// The binary formats hold words alone: what a list says of them is lost, and the user
// should know before relying on a compiled list for a policy.
void WarnOfDroppedFields(const std::string& path, const WordList& words) {
  size_t with_fields = 0;
  for (size_t word = 0; word < words.Size(); ++word) {
    const WordTraits& traits = words.Traits(word);
    if (traits.category != 0 || traits.severity != kDefaultSeverity ||
        traits.place != WordPlace::kAnywhere)
      ++with_fields;
  }
  if (with_fields == 0) return;
  std::fprintf(stderr,
               "chatsieve compile: %s: %zu words have a category, severity or place, which a "
               "word-list file cannot hold: they are dropped\n",
               path.c_str(), with_fields);
}

size_t StoredWords(const LegacyWordList& filter) {
  size_t count = 0;
  filter.ForEachBucket(
      [&count](char16_t, LegacyWordList::Words bucket) { count += bucket.size(); });
  return count;
}

}  // namespace

int RunCompile(Arguments arguments) {
  const CompileOptions options = ParseOptions(arguments);
  if (options.help) return 0;
  const NumberedWordList source = ReadNumberedWordList(options.input);
  bool usable = source.usable;
  auto filter = std::make_unique<LegacyWordList>();
  for (size_t i = 0; i < source.words.Size(); ++i) {
    if (AddSourceWord(*filter, source.words[i], options.wide)) continue;
    std::fprintf(stderr, "%s:%zu: \"%.*s\" has characters code page 949 cannot carry\n",
                 options.input.c_str(), source.lines[i], static_cast<int>(source.words[i].size()),
                 source.words[i].data());
    usable = false;
  }
  if (!usable) {
    std::fprintf(stderr, "chatsieve compile: %s not written\n", options.output.c_str());
    return 1;
  }
  WarnOfDroppedFields(options.input, source.words);
  std::string why;
  int32_t written = 0;
  if (options.wide) {
    const auto path = platform::Utf8ToUtf16(options.output);
    why = "the file name is not valid UTF-8";
    written = path ? filter->SaveWordFileW(path->c_str(), &why) : 0;
  } else {
    written = filter->SaveWordFile(options.output.c_str(), &why);
  }
  if (written == 0) {
    std::fprintf(stderr, "chatsieve compile: cannot write %s: %s\n", options.output.c_str(),
                 why.c_str());
    return 1;
  }
  std::printf("%s: %zu words\n", options.output.c_str(), StoredWords(*filter));
  return FlushStandardOutput() ? 0 : 2;
}

}  // namespace chatsieve::tool
