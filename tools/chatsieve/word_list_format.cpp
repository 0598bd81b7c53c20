#include "word_list_format.h"

#include <stdexcept>

#include "platform/file_problem.h"
#include "platform/raw_file_reader.h"
#include "text/utf8.h"
#include "wordfile/legacy_word_list.h"
#include "wordfile/word_file_format.h"

namespace chatsieve::tool {

WordListFormat WordListFormatOf(const std::string& path) {
  platform::RawFileReader file;
  if (!file.Open(path.c_str())) {
    throw std::runtime_error(path + ": cannot open: " + platform::WhyNotOpened(path));
  }
  word_file::Head head{};
  file.Read(head.data(), head.size());
  // The two formats put their signatures one byte apart.
  if (word_file::IsWideHead(head)) return WordListFormat::kWide;
  if (word_file::IsNarrowHead(head)) return WordListFormat::kNarrow;
  return WordListFormat::kNeither;
}

WordListFormat BinaryFormatOf(const std::string& path) {
  const WordListFormat format = WordListFormatOf(path);
  if (format == WordListFormat::kNeither) {
    throw std::runtime_error(path +
                             ": not a binary word-list file, the only kind the legacy loaders "
                             "take (compile it with 'chatsieve compile', or drop --legacy)");
  }
  return format;
}

std::string LoadFailureMessage(const std::string& path) {
  platform::RawFileReader file;
  return path + ": cannot load: " +
         (file.Open(path.c_str()) ? "not a valid word-list file" : platform::WhyNotOpened(path));
}

int32_t LoadWordListFile(LegacyWordList& filter, const std::string& path, WordListFormat format) {
  switch (format) {
    case WordListFormat::kNarrow:
      return filter.LoadWordFile(path.c_str(), 1);
    case WordListFormat::kWide: {
      const auto wide_path = platform::Utf8ToUtf16(path);
      if (!wide_path) throw std::runtime_error("the file name " + path + " is not UTF-8");
      return filter.LoadWordFileW(wide_path->c_str(), 1);
    }
    case WordListFormat::kNeither:
      break;
  }
  return 0;
}

}  // namespace chatsieve::tool
