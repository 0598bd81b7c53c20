#include "filter/word_source.h"

#include <algorithm>
#include <optional>
#include <string>

#include "chatsieve/filter.h"
#include "filter/load_failure.h"
#include "platform/file_problem.h"
#include "platform/raw_file_reader.h"
#include "text/utf8.h"
#include "wordfile/word_file_format.h"
#include "wordfile/word_file_reader.h"

namespace chatsieve {

static_assert(kMaxWordLength == CHATSIEVE_MAX_WORD_LENGTH);

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

// Why a record's text cannot be a filter's word, or nothing when it can.
std::optional<std::string> UnusableRecord(std::u16string_view text, const std::string& utf8) {
  if (text.find(u'\0') != std::u16string_view::npos)
    return "holds a zero character, which text never matches";
  if (platform::Utf8ToUtf16(utf8) != std::u16string(text)) return "holds a lone surrogate";
  if (std::count_if(utf8.begin(), utf8.end(), [](char byte) {
        return (static_cast<unsigned char>(byte) & 0xC0) != 0x80;
      }) > static_cast<ptrdiff_t>(kMaxWordLength)) {
    return "is longer than the limit of " + std::to_string(kMaxWordLength) + " characters";
  }
  return std::nullopt;
}

// The words of a binary file in the order of its records, read as the legacy exports
// read them.
ListedWords WordsOfBinaryFile(const std::string& path, std::string_view contents, FileKind kind) {
  ListedWords listed{{}, {}, path, true};
  std::optional<std::string> problem;
  const RecordSink take = [&](std::unique_ptr<BadWord>& record) {
    const std::u16string_view text(record->WideText(), static_cast<size_t>(record->WideLength()));
    const std::string utf8 = platform::Utf16ToUtf8(text);
    if (!problem) {
      if ((problem = UnusableRecord(text, utf8))) {
        *problem = listed.PlaceOf(listed.words.Size()) + " " + *problem;
      }
    }
    listed.words.Add(utf8);
    listed.places.push_back(static_cast<uint32_t>(listed.words.Size()));
    return true;
  };
  int32_t declared = 0;
  bool loaded = false;
  if (kind == FileKind::kNarrow) {
    loaded = ReadNarrowWordBytes(contents, true, declared, take);
  } else {
    loaded = ReadWideWordBytes(contents, declared, take);
  }
  if (!loaded) throw LoadFailure(CHATSIEVE_E_FORMAT, path + ": not a valid word-list file");
  if (problem) throw LoadFailure(CHATSIEVE_E_FORMAT, *problem);
  return listed;
}

// A text's first problem, and how many more lines have one.
void ThrowIfAny(const std::vector<WordListProblem>& problems, const std::string& name) {
  if (problems.empty()) return;
  const WordListProblem& first = problems.front();
  std::string message = name + ":" + std::to_string(first.line) + ": " + first.reason;
  if (problems.size() > 1)
    message += " (and " + std::to_string(problems.size() - 1) + " more lines)";
  throw LoadFailure(CHATSIEVE_E_FORMAT, message);
}

}  // namespace

std::string ListedWords::PlaceOf(size_t word) const {
  const std::string place = std::to_string(word < places.size() ? places[word] : word + 1);
  return binary ? name + ": word " + place : name + ":" + place;
}

ListedWords WordsOfText(std::string_view list, const std::string& name) {
  ListedWords listed{{}, {}, name, false};
  WordListReading reading = ReadWordListText(list, listed.words);
  ThrowIfAny(reading.problems, name);
  listed.places = std::move(reading.lines);
  return listed;
}

std::shared_ptr<const LookalikeTable> LookalikesOfFile(const std::string& path) {
  auto table = std::make_shared<LookalikeTable>(BuiltinLookalikes());
  ThrowIfAny(table->Add(ReadWholeFile(path)), path);
  return table;
}

ListedWords WordsOfFile(const std::string& path) {
  const std::string contents = ReadWholeFile(path);
  const FileKind kind = KindOf(contents);
  if (kind == FileKind::kUtf8List) return WordsOfText(contents, path);
  return WordsOfBinaryFile(path, contents, kind);
}

}  // namespace chatsieve
