// Loading a word-list file into the index: the index is emptied first, then every record
// the header's word count covers is read, and the buckets are sorted only when the whole
// load succeeded. A failed load keeps the words read before the failure, unsorted.
#include <memory>
#include <new>

#include "dictionary/word_file_format.h"
#include "dictionary/word_index.h"
#include "platform/raw_file_reader.h"
#include "platform/text_mode_reader.h"

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
int32_t StoreRecord(WordIndex& index, ReadRecord read) {
  auto entry = std::unique_ptr<BadWord>(new (std::nothrow) BadWord);
  if (!entry || read(*entry) < 0) return 0;
  return index.InsertWord(entry);
}

}  // namespace

int32_t WordIndex::LoadWordFile(const char* path, int32_t collapse) {
  if (!word_map_.Empty()) ClearWords();
  platform::TextModeReader file;
  if (path == nullptr || !file.Open(path)) return 0;
  const word_file::Head head = ReadHead(file, word_count_);
  if (!word_file::IsNarrowHead(head) || word_count_ == 0) return 0;
  unsigned char skipped[word_file::kNarrowSkippedBlockSize];
  file.Read(skipped, sizeof skipped);
  if (ReadWord(file, collapse) == 0) return 0;
  // Wide enough that no file can make it overflow; a negative count is never reached.
  int64_t records_taken = 1;
  int remembered = 0;
  while (records_taken != word_count_) {
    const int byte = file.ReadByte();
    if (byte < 0) break;
    if (remembered == word_file::kSeparatorFirst && byte == word_file::kSeparatorSecond) {
      // The record counts whether or not it can be read; the remembered byte stays, so
      // a 0x80 right after the record is the next separator.
      ++records_taken;
      ReadWord(file, collapse);
    } else {
      remembered = byte;
    }
  }
  if (records_taken != word_count_) return 0;
  SortBuckets();
  return 1;
}

int32_t WordIndex::LoadWordFileW(const char16_t* path, int32_t /*collapse*/) {
  if (!word_map_.Empty()) ClearWords();
  platform::RawFileReader file;
  if (path == nullptr || !file.Open(path)) return 0;
  const word_file::Head head = ReadHead(file, word_count_);
  // A negative count declares no records; it is a failed load, not an empty list.
  if (!word_file::IsWideHead(head) || word_count_ <= 0) return 0;
  for (int32_t record = 0; record < word_count_; ++record) {
    if (ReadWordW(file) == 0) return 0;
  }
  SortBuckets();
  return 1;
}

int32_t WordIndex::ReadWord(platform::TextModeReader& stream, int32_t collapse) {
  return StoreRecord(*this,
                     [&](BadWord& entry) { return entry.ReadRecord(stream, collapse != 0); });
}

int32_t WordIndex::ReadWordW(platform::RawFileReader& stream) {
  return StoreRecord(*this, [&](BadWord& entry) { return entry.ReadRecordW(stream); });
}

}  // namespace chatsieve
