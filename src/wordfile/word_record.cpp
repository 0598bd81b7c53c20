// Decoding one record of a word-list file into an empty entry. A length never drives an
// allocation by itself: a record that claims more than the file has left fails first.
#include <algorithm>
#include <bit>
#include <new>

#include "platform/raw_file_reader.h"
#include "platform/text_mode_reader.h"
#include "wordfile/bad_word.h"
#include "wordfile/word_file_format.h"
#include "wordfile/word_rules.h"

namespace chatsieve {
namespace {

constexpr int32_t kRecordFailed = -1;

template <typename Stream>
bool ReadInt32(Stream& stream, int32_t& value) {
  word_file::Int32Bytes bytes{};
  if (stream.Read(bytes.data(), bytes.size()) != bytes.size()) return false;
  value = word_file::Int32FromBytes(bytes);
  return true;
}

}  // namespace

int32_t BadWord::ReadRecord(platform::TextModeReader& stream, bool collapse) {
  if (!ReadInt32(stream, narrow_length_)) return kRecordFailed;
  stream.ReadByte();  // the skipped byte
  if (narrow_length_ < 1) return kRecordFailed;
  const auto length = static_cast<size_t>(narrow_length_);
  if (length > stream.BytesLeft()) {
    // A cut-short record's read would have run to the end of the data.
    stream.EndData();
    return kRecordFailed;
  }
  narrow_text_.reset(new (std::nothrow) char[length + 1]);
  if (!narrow_text_) return kRecordFailed;
  // Fewer bytes than the length: a 0x1A ended the data inside the text, or CR LF pairs
  // shrank what was left.
  if (stream.Read(narrow_text_.get(), length) != length) return kRecordFailed;
  const auto mask = static_cast<char>(word_file::RecordMask());
  std::for_each(narrow_text_.get(), narrow_text_.get() + length, [mask](char& c) { c ^= mask; });
  if (collapse) {
    narrow_length_ = CollapseSpaces(narrow_text_.get(), narrow_text_.get(), narrow_length_);
  }
  narrow_text_[static_cast<size_t>(narrow_length_)] = 0;
  return ConvertNarrowText() ? narrow_length_ : kRecordFailed;
}

int32_t BadWord::ReadRecordW(platform::RawFileReader& stream) {
  wide_length_ = 0;
  if (!ReadInt32(stream, wide_length_) || wide_length_ < 1) return kRecordFailed;
  const auto units = static_cast<size_t>(wide_length_);
  if (uint64_t{units} * 2 > stream.BytesLeft()) return kRecordFailed;
  wide_text_.reset(new (std::nothrow) char16_t[units + 1]);
  if (!wide_text_) return kRecordFailed;
  char16_t* text = wide_text_.get();
  if (stream.Read(text, units * 2) != units * 2) return kRecordFailed;
  if constexpr (std::endian::native == std::endian::big) {
    std::for_each(text, text + units,
                  [](char16_t& unit) { unit = static_cast<char16_t>((unit >> 8) | (unit << 8)); });
  }
  text[units] = 0;
  return wide_length_;
}

}  // namespace chatsieve
