// `chatsieve dump`: the words of a word-list file, as the library would hold them.
#include <cstdio>
#include <memory>
#include <stdexcept>
#include <string>

#include "commands.h"
#include "dictionary/bad_chat_man.h"
#include "dictionary/word_file_format.h"
#include "platform/raw_file_reader.h"
#include "platform/utf8.h"

namespace chatsieve::tool {
namespace {

constexpr const char* kUsage =
    "usage: chatsieve dump FILE\n"
    "\n"
    "Loads a narrow or wide word-list file as the library does and prints its words as\n"
    "UTF-8, one a line, in the order the index keeps them. Standard error tells the word\n"
    "count the file declares and how many words were loaded. The exit status is 1 when\n"
    "the load fails; the words read before the failure are still printed.\n";

enum class Format { kNarrow, kWide, kNeither };

// The two formats put their signatures one byte apart.
Format FormatOf(const std::string& path) {
  platform::RawFileReader file;
  if (!file.Open(path.c_str())) throw std::runtime_error("cannot open " + path);
  word_file::Head head{};
  file.Read(head.data(), head.size());
  if (word_file::IsWideHead(head)) return Format::kWide;
  if (word_file::IsNarrowHead(head)) return Format::kNarrow;
  return Format::kNeither;
}

size_t PrintWords(const BadChatMan& filter) {
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
  if (arguments.size() != 1 || arguments.front().starts_with('-')) {
    const bool help = arguments.size() == 1 && arguments.front() == "--help";
    std::fputs(kUsage, help ? stdout : stderr);
    return help ? 0 : 2;
  }
  const std::string path(arguments.front());
  const Format format = FormatOf(path);
  if (format == Format::kNeither) {
    std::fprintf(stderr, "chatsieve dump: %s is not a word-list file\n", path.c_str());
    return 1;
  }
  auto filter = std::make_unique<BadChatMan>();
  int32_t loaded = 0;
  if (format == Format::kNarrow) {
    loaded = filter->LoadWordFile(path.c_str(), 1);
  } else {
    const auto wide_path = platform::Utf8ToUtf16(path);
    if (!wide_path) throw std::runtime_error("the file name is not valid UTF-8");
    loaded = filter->LoadWordFileW(wide_path->c_str(), 1);
  }
  const size_t words = PrintWords(*filter);
  std::fprintf(stderr, "%s: %s word list, %d words declared, %zu loaded%s\n", path.c_str(),
               format == Format::kNarrow ? "narrow" : "wide", filter->WordCount(), words,
               loaded ? "" : "; the load failed");
  return loaded ? 0 : 1;
}

}  // namespace chatsieve::tool
