#include "filter/word_source.h"

#include <algorithm>
#include <optional>
#include <string>

#include "chatsieve/filter.h"
#include "dictionary/word_index.h"
#include "dictionary/word_file_format.h"
#include "filter/load_failure.h"
#include "platform/file_problem.h"
#include "platform/raw_file_reader.h"
#include "platform/utf8.h"

namespace chatsieve {
namespace {

enum class FileKind { kUtf8List, kNarrow, kWide };

std::string ReadWholeFile(const std::string& path) {
  // By its UTF-16 form, so that Windows opens the UTF-8 name the caller gave.
  const std::optional<std::u16string> name = platform::Utf8ToUtf16(path);
  if (!name) throw LoadFailure(CHATSIEVE_E_OPEN, path + ": cannot open: the name is not UTF-8");
  platform::RawFileReader file;
  if (!file.Open(name->c_str())) {
    throw LoadFailure(CHATSIEVE_E_OPEN, path + ": cannot open: " + platform::WhyNotOpened(path));
  }
  const uint64_t size = file.BytesLeft();
  if (size > UINT32_MAX)
    throw LoadFailure(CHATSIEVE_E_FORMAT, path + ": too large for a word list");
  std::string contents(static_cast<size_t>(size), '\0');
  if (file.Read(contents.data(), contents.size()) != contents.size()) {
    throw LoadFailure(CHATSIEVE_E_OPEN, path + ": cannot read the whole file");
  }
  return contents;
}

FileKind KindOf(std::string_view contents) {
  word_file::Head head{};
  if (contents.size() < head.size()) return FileKind::kUtf8List;
  std::copy_n(contents.begin(), head.size(), head.begin());
  // The two binary formats put their signatures one byte apart.
  if (word_file::IsWideHead(head)) return FileKind::kWide;
  if (word_file::IsNarrowHead(head)) return FileKind::kNarrow;
  return FileKind::kUtf8List;
}

// The words of a binary file in the order the legacy index holds them, read by the
// loaders the legacy exports use.
WordList WordsOfBinaryFile(const std::string& path, FileKind kind) {
  WordIndex legacy;
  int32_t loaded = 0;
  if (kind == FileKind::kNarrow) {
    loaded = legacy.LoadWordFile(path.c_str(), 1);
  } else if (const auto wide_path = platform::Utf8ToUtf16(path)) {
    loaded = legacy.LoadWordFileW(wide_path->c_str(), 1);
  }
  if (loaded == 0) throw LoadFailure(CHATSIEVE_E_FORMAT, path + ": not a valid word-list file");
  WordList words;
  size_t index = 0;
  legacy.WordMap().ForEachBucket([&](char16_t, const BadWordList& bucket) {
    for (const auto& word : bucket.Words()) {
      const std::u16string_view text(word->WideText(), static_cast<size_t>(word->WideLength()));
      ++index;
      if (text.find(u'\0') != std::u16string_view::npos) {
        throw LoadFailure(CHATSIEVE_E_FORMAT,
                          path + ": word " + std::to_string(index) +
                              " holds a zero character, which text never matches");
      }
      const std::string utf8 = platform::Utf16ToUtf8(text);
      if (platform::Utf8ToUtf16(utf8) != std::u16string(text)) {
        throw LoadFailure(CHATSIEVE_E_FORMAT,
                          path + ": word " + std::to_string(index) + " holds a lone surrogate");
      }
      words.Add(utf8);
    }
  });
  return words;
}

}  // namespace

WordList WordsOfText(std::string_view list, const std::string& name) {
  WordList words;
  const std::vector<WordListProblem> problems = ReadWordListText(list, words);
  if (!problems.empty()) {
    const WordListProblem& first = problems.front();
    std::string message = name + ":" + std::to_string(first.line) + ": " + first.reason;
    if (problems.size() > 1)
      message += " (and " + std::to_string(problems.size() - 1) + " more lines)";
    throw LoadFailure(CHATSIEVE_E_FORMAT, message);
  }
  return words;
}

WordList WordsOfFile(const std::string& path) {
  const std::string contents = ReadWholeFile(path);
  const FileKind kind = KindOf(contents);
  if (kind == FileKind::kUtf8List) return WordsOfText(contents, path);
  return WordsOfBinaryFile(path, kind);
}

}  // namespace chatsieve
