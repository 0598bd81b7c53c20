// Word-list files put together byte by byte, so that tests can say exactly which bytes a
// loader meets.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

namespace chatsieve::testing {

inline constexpr std::string_view kWordFileSignature = "KORVASTEL PROGRAM (bad word database)";

class WordFileBuilder {
 public:
  // `mask` is the byte narrow record texts are XOR-ed with.
  explicit WordFileBuilder(unsigned char mask = 0) : mask_(mask) {}

  WordFileBuilder& Bytes(std::initializer_list<int> bytes) {
    for (const int byte : bytes)
      data_.push_back(static_cast<char>(byte));
    return *this;
  }

  WordFileBuilder& Text(std::string_view text) {
    data_.append(text);
    return *this;
  }

  WordFileBuilder& Int32(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    for (int shift = 0; shift < 32; shift += 8)
      data_.push_back(static_cast<char>(bits >> shift));
    return *this;
  }

  // Prefix byte, signature, word count and the 16 skipped bytes.
  WordFileBuilder& NarrowHead(int32_t count, int prefix = 0) {
    Bytes({prefix}).Text(kWordFileSignature).Int32(count);
    data_.append(16, '\0');
    return *this;
  }

  WordFileBuilder& WideHead(int32_t count) {
    return Text(kWordFileSignature).Bytes({0}).Int32(count);
  }

  // A narrow record holding `text` (code page 949 bytes) under the mask.
  WordFileBuilder& NarrowRecord(std::string_view text) {
    return NarrowRecordClaiming(static_cast<int32_t>(text.size()), text);
  }

  // A narrow record whose length field says `length`, whatever text follows.
  WordFileBuilder& NarrowRecordClaiming(int32_t length, std::string_view text) {
    Int32(length).Bytes({0});
    for (const char byte : text)
      data_.push_back(static_cast<char>(byte ^ static_cast<char>(mask_)));
    return *this;
  }

  WordFileBuilder& Separator() { return Bytes({0x01, 0x80}); }

  WordFileBuilder& WideRecord(std::u16string_view text) {
    Int32(static_cast<int32_t>(text.size()));
    for (const char16_t unit : text)
      Bytes({unit & 0xFF, unit >> 8});
    return *this;
  }

  const std::string& Data() const { return data_; }

 private:
  unsigned char mask_;
  std::string data_;
};

}  // namespace chatsieve::testing
