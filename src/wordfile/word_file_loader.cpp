// Reading word-list files record by record, from a path or from a whole file already in
// memory (the filter reads a file once, then tells its kind). The legacy word list empties
// itself first, then stores every record the header's word count covers, and sorts its
// buckets only when the whole load succeeded: a failed load keeps the words read before
// the failure, unsorted.
#include <memory>
#include <new>
#include <string_view>

#include "platform/raw_file_reader.h"
#include "platform/text_mode_reader.h"
#include "wordfile/legacy_word_list.h"
#include "wordfile/word_file_format.h"
#include "wordfile/word_file_reader.h"

namespace chatsieve {
namespace {

// The header's count is taken as read, even when the file is short: missing bytes are 0.
template <typename Stream>
word_file::Head ReadHead(Stream& stream, int32_t& word_count) {
  word_file::Head head{};
  stream.Read(head.data(), head.size());
  word_file::Int32Bytes count{};
  stream.Read(count.data(), count.size());
  word_count = word_file::Int32FromBytes(count);
  return head;
}

// One body for both formats: `read` fills a fresh entry from the stream's next record.
template <typename ReadRecord>
bool TakeRecord(const RecordSink& take, ReadRecord read) {
  auto entry = std::unique_ptr<BadWord>(new (std::nothrow) BadWord);
  if (!entry || read(*entry) < 0) return false;
  return take(entry);
}

bool ReadNarrowWords(platform::TextModeReader& file, bool collapse, int32_t& declared,
                     const RecordSink& take) {
  const word_file::Head head = ReadHead(file, declared);
  if (!word_file::IsNarrowHead(head) || declared == 0) return false;
  unsigned char skipped[word_file::kNarrowSkippedBlockSize];
  file.Read(skipped, sizeof skipped);
  const auto read = [&](BadWord& entry) { return entry.ReadRecord(file, collapse); };
  if (!TakeRecord(take, read)) return false;
  // Wide enough that no file can make it overflow; a negative count is never reached.
  int64_t records_taken = 1;
  int remembered = 0;
  while (records_taken != declared) {
    const int byte = file.ReadByte();
    if (byte < 0) break;
    if (remembered == word_file::kSeparatorFirst && byte == word_file::kSeparatorSecond) {
      // The record counts whether or not it can be read; the remembered byte stays, so
      // a 0x80 right after the record is the next separator.
      ++records_taken;
      TakeRecord(take, read);
    } else {
      remembered = byte;
    }
  }
  return records_taken == declared;
}

bool ReadWideWords(platform::RawFileReader& file, int32_t& declared, const RecordSink& take) {
  const word_file::Head head = ReadHead(file, declared);
  // A negative count declares no records; it is a failed load, not an empty list.
  if (!word_file::IsWideHead(head) || declared <= 0) return false;
  for (int32_t record = 0; record < declared; ++record) {
    if (!TakeRecord(take, [&](BadWord& entry) { return entry.ReadRecordW(file); })) return false;
  }
  return true;
}

}  // namespace

bool ReadNarrowWordFile(const char* path, bool collapse, int32_t& declared,
                        const RecordSink& take) {
  platform::TextModeReader file;
  return path != nullptr && file.Open(path) && ReadNarrowWords(file, collapse, declared, take);
}

bool ReadWideWordFile(const char16_t* path, int32_t& declared, const RecordSink& take) {
  platform::RawFileReader file;
  return path != nullptr && file.Open(path) && ReadWideWords(file, declared, take);
}

bool ReadNarrowWordBytes(std::string_view bytes, bool collapse, int32_t& declared,
                         const RecordSink& take) {
  platform::TextModeReader file;
  file.OpenBytes(bytes);
  return ReadNarrowWords(file, collapse, declared, take);
}

bool ReadWideWordBytes(std::string_view bytes, int32_t& declared, const RecordSink& take) {
  platform::RawFileReader file;
  file.OpenBytes(bytes);
  return ReadWideWords(file, declared, take);
}

int32_t LegacyWordList::LoadWordFile(const char* path, int32_t collapse) {
  ClearWords();
  if (!ReadNarrowWordFile(path, collapse != 0, word_count_, StoreInList())) return 0;
  SortBuckets();
  return 1;
}

int32_t LegacyWordList::LoadWordFileW(const char16_t* path, int32_t /*collapse*/) {
  ClearWords();
  if (!ReadWideWordFile(path, word_count_, StoreInList())) return 0;
  SortBuckets();
  return 1;
}

}  // namespace chatsieve
