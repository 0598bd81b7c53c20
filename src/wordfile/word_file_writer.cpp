// Writing the legacy word list as a word-list file. The header counts exactly the records
// written. Each file is read back into a scratch list before it replaces anything, so a
// file that would load differently from the list is never put in place.
#include <algorithm>
#include <cstdio>
#include <memory>
#include <new>
#include <string>
#include <utility>
#include <vector>

#include "platform/file_name.h"
#include "platform/replacing_file_writer.h"
#include "text/cp949_exact.h"
#include "text/utf8.h"
#include "wordfile/legacy_word_list.h"
#include "wordfile/word_file_format.h"

namespace chatsieve {
namespace {

// A word as a loaded entry shows it: its narrow bytes (none from a wide file) and its
// wide text.
using WordImage = std::pair<std::string, std::u16string>;

int32_t Refused(std::string* why, std::string reason) {
  if (why != nullptr) *why = std::move(reason);
  return 0;
}

std::u16string_view WideOf(const BadWord& word) {
  return {word.WideText(), static_cast<size_t>(word.WideLength())};
}

std::string Quoted(std::u16string_view word) {
  std::string quoted(1, '"');
  quoted += platform::Utf16ToUtf8(word);
  quoted += '"';
  return quoted;
}

// The entries a file carries, in bucket order: every entry with a wide text.
std::vector<const BadWord*> WordsToWrite(const LegacyWordList& list) {
  std::vector<const BadWord*> words;
  list.ForEachBucket([&words](char16_t, LegacyWordList::Words bucket) {
    for (const auto& word : bucket) {
      if (word->WideLength() > 0) words.push_back(word.get());
    }
  });
  return words;
}

std::vector<WordImage> ImagesOf(const LegacyWordList& list) {
  std::vector<WordImage> images;
  list.ForEachBucket([&images](char16_t, LegacyWordList::Words bucket) {
    for (const auto& word : bucket) {
      const char* narrow = word->NarrowText();
      images.emplace_back(
          narrow ? std::string(narrow, static_cast<size_t>(word->NarrowLength())) : std::string(),
          std::u16string(WideOf(*word)));
    }
  });
  return images;
}

void WriteInt32(platform::ReplacingFileWriter& file, int32_t value) {
  const word_file::Int32Bytes bytes = word_file::BytesOfInt32(value);
  file.Write(bytes.data(), bytes.size());
}

// Writes the file, reads it back with `load_back` and puts it in place only when it
// gives back exactly the `expected` words.
template <typename WriteBody, typename LoadBack>
int32_t WriteChecked(const std::string& target, std::vector<WordImage> expected,
                     WriteBody write_body, LoadBack load_back, std::string* why) {
  platform::ReplacingFileWriter file(target);
  std::string reason;
  if (!file.Open(reason)) return Refused(why, reason);
  write_body(file);
  if (!file.Finish(reason)) return Refused(why, reason);
  auto scratch = std::make_unique<LegacyWordList>();
  if (load_back(*scratch, file.TemporaryPath()) == 0) {
    return Refused(why, "the file written does not load back");
  }
  std::vector<WordImage> loaded = ImagesOf(*scratch);
  std::sort(expected.begin(), expected.end());
  std::sort(loaded.begin(), loaded.end());
  const auto changed =
      std::mismatch(expected.begin(), expected.end(), loaded.begin(), loaded.end());
  if (changed.first != expected.end()) {
    return Refused(why,
                   "the word " + Quoted(changed.first->second) + " would not load back as it is");
  }
  if (changed.second != loaded.end()) return Refused(why, "the file written loads more words");
  return file.Replace(reason) ? 1 : Refused(why, reason);
}

// The narrow format is read in text mode: a 0x1A byte ends the data and a 0x0D 0x0A pair
// shrinks to 0x0A. The position of the first byte that would not read back as written,
// or npos. The fields this is asked about are written between bytes that are neither
// 0x0D nor 0x0A, so no pair forms across their edges.
size_t FirstUnsafeByte(std::string_view bytes) {
  for (size_t i = 0; i < bytes.size(); ++i) {
    if (bytes[i] == 0x1A) return i;
    if (i + 1 < bytes.size() && bytes[i] == 0x0D && bytes[i + 1] == 0x0A) return i;
  }
  return std::string_view::npos;
}

std::string_view BytesOf(const word_file::Int32Bytes& bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

std::string Hex(unsigned char byte) {
  char text[8];
  std::snprintf(text, sizeof text, "0x%02X", byte);
  return text;
}

// The code page 949 bytes a narrow record carries for `word`, or why there are none.
bool NarrowBytesOf(const BadWord& word, std::string& bytes, std::string& why) {
  if (word.NarrowLength() > 0) {
    bytes.assign(word.NarrowText(), static_cast<size_t>(word.NarrowLength()));
    return true;
  }
  const std::u16string_view wide = WideOf(word);
  if (word.TextLength() < word.WideLength()) {
    why = "the word " + Quoted(wide) + " holds a zero unit, where a narrow word would end";
    return false;
  }
  const auto encoded = platform::EncodeCp949Exactly(wide);
  if (!encoded) {
    why = "the word " + Quoted(wide) + " has characters code page 949 cannot carry";
    return false;
  }
  bytes = *encoded;
  return true;
}

// One narrow record: text length, a skipped byte, the masked text.
bool NarrowRecordOf(const std::string& text, std::u16string_view wide, std::string& record,
                    std::string& why) {
  record = BytesOf(word_file::BytesOfInt32(static_cast<int32_t>(text.size())));
  record.push_back('\0');
  const auto mask = static_cast<char>(word_file::RecordMask());
  for (const char byte : text)
    record.push_back(static_cast<char>(byte ^ mask));
  const size_t unsafe = FirstUnsafeByte(record);
  if (unsafe == std::string_view::npos) return true;
  const std::string word = "the word " + Quoted(wide);
  if (unsafe < 4) {
    why = word + " is " + std::to_string(text.size()) +
          " bytes long, a length whose bytes would not read back in a narrow file";
  } else {
    const auto plain = static_cast<unsigned char>(text[unsafe - 5]);
    why = word + " holds the byte " + Hex(plain) + ", which would not read back once masked";
  }
  return false;
}

// The record count that reads back safely, reached by repeating the last record; a
// repeated word counts as read and changes nothing.
bool SafeRecordCount(size_t records, int32_t& count) {
  for (size_t total = records; total <= INT32_MAX; ++total) {
    count = static_cast<int32_t>(total);
    if (FirstUnsafeByte(BytesOf(word_file::BytesOfInt32(count))) == std::string_view::npos)
      return true;
  }
  return false;
}

}  // namespace

int32_t LegacyWordList::SaveWordFileW(const char16_t* path, std::string* why) const {
  try {
    if (path == nullptr) return Refused(why, "no file name given");
    const auto target = platform::FileNameFromUtf16(path);
    if (!target) return Refused(why, "the file name holds a lone surrogate");
    const std::vector<const BadWord*> words = WordsToWrite(*this);
    if (words.empty()) return Refused(why, "there are no words to write");
    if (words.size() > INT32_MAX) return Refused(why, "too many words for one file");
    std::vector<WordImage> expected;
    for (const BadWord* word : words)
      expected.emplace_back(std::string(), WideOf(*word));
    const auto write_body = [&words](platform::ReplacingFileWriter& file) {
      file.Write(word_file::kSignature.data(), word_file::kSignature.size());
      file.Write("", 1);
      WriteInt32(file, static_cast<int32_t>(words.size()));
      for (const BadWord* word : words) {
        WriteInt32(file, word->WideLength());
        for (const char16_t unit : WideOf(*word)) {
          const unsigned char bytes[2] = {static_cast<unsigned char>(unit & 0xFF),
                                          static_cast<unsigned char>(unit >> 8)};
          file.Write(bytes, 2);
        }
      }
    };
    const auto load_back = [](LegacyWordList& scratch, const std::string& written) {
      const auto name = platform::Utf8ToUtf16(written);
      return name ? scratch.LoadWordFileW(name->c_str(), 1) : 0;
    };
    return WriteChecked(*target, std::move(expected), write_body, load_back, why);
  } catch (const std::bad_alloc&) {
    return Refused(why, "out of memory");
  }
}

int32_t LegacyWordList::SaveWordFile(const char* path, std::string* why) const {
  try {
    if (path == nullptr) return Refused(why, "no file name given");
    const std::vector<const BadWord*> words = WordsToWrite(*this);
    if (words.empty()) return Refused(why, "there are no words to write");
    std::vector<std::string> records(words.size());
    std::vector<WordImage> expected;
    std::string reason;
    for (size_t i = 0; i < words.size(); ++i) {
      std::string text;
      if (!NarrowBytesOf(*words[i], text, reason) ||
          !NarrowRecordOf(text, WideOf(*words[i]), records[i], reason)) {
        return Refused(why, reason);
      }
      expected.emplace_back(std::move(text), WideOf(*words[i]));
    }
    int32_t count = 0;
    if (!SafeRecordCount(records.size(), count)) return Refused(why, "too many words for one file");
    const auto write_body = [&records, count](platform::ReplacingFileWriter& file) {
      const unsigned char zeros[word_file::kNarrowSkippedBlockSize] = {};
      const unsigned char separator[2] = {word_file::kSeparatorFirst, word_file::kSeparatorSecond};
      file.Write(zeros, 1);
      file.Write(word_file::kSignature.data(), word_file::kSignature.size());
      WriteInt32(file, count);
      file.Write(zeros, sizeof zeros);
      for (int32_t i = 0; i < count; ++i) {
        if (i > 0) file.Write(separator, sizeof separator);
        const std::string& record = records[std::min(static_cast<size_t>(i), records.size() - 1)];
        file.Write(record.data(), record.size());
      }
    };
    const auto load_back = [](LegacyWordList& scratch, const std::string& written) {
      return scratch.LoadWordFile(written.c_str(), 1);
    };
    return WriteChecked(path, std::move(expected), write_body, load_back, why);
  } catch (const std::bad_alloc&) {
    return Refused(why, "out of memory");
  }
}

}  // namespace chatsieve
