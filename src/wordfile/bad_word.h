// One listed word in memory, in both encodings the library deals in.
#pragma once

#include <cstdint>
#include <memory>

namespace chatsieve {

namespace platform {
class TextModeReader;
class RawFileReader;
}  // namespace platform

// Made empty, filled exactly once (from text or from one word-list record), then owned
// by the index or destroyed by its maker. An entry made from narrow text keeps the
// code page 949 bytes it came from; entries from wide text have narrow length 0.
class BadWord {
 public:
  // Fills the entry from a code page 949 text, collapsing runs of spaces when
  // `collapse` is set. Returns the narrow length, or -1 when memory runs out or the
  // converter cannot size the text. A text that converts to nothing leaves the entry
  // without wide text.
  int32_t BuildFromNarrow(const char* text, bool collapse);

  // Fills the entry with a copy of a UTF-16 text. Returns the wide length or -1.
  int32_t BuildFromWide(const char16_t* text);

  // Decode one record of a narrow or wide word-list file at the stream's position.
  // Negative on failure.
  int32_t ReadRecord(platform::TextModeReader& stream, bool collapse);
  int32_t ReadRecordW(platform::RawFileReader& stream);

  int32_t NarrowLength() const { return narrow_length_; }
  const char* NarrowText() const { return narrow_text_.get(); }
  int32_t WideLength() const { return wide_length_; }
  const char16_t* WideText() const { return wide_text_.get(); }

  // The units before the first zero unit of the wide text: what a masking pass
  // compares. Only a wide record can hold a zero unit within its length.
  int32_t TextLength() const;

 private:
  // Converts the narrow text (up to its first zero byte) into the wide text.
  bool ConvertNarrowText();

  int32_t narrow_length_ = 0;
  std::unique_ptr<char[]> narrow_text_;
  int32_t wide_length_ = 0;
  std::unique_ptr<char16_t[]> wide_text_;
};

}  // namespace chatsieve
