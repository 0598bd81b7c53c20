#include "platform/text_mode_reader.h"

namespace chatsieve::platform {
namespace {

constexpr int kEndOfData = 0x1A;
constexpr int kCarriageReturn = 0x0D;
constexpr int kLineFeed = 0x0A;

}  // namespace

int TextModeReader::ReadByte() {
  if (ended_) return -1;
  const int byte = input_.Next();
  if (byte < 0 || byte == kEndOfData) {
    ended_ = true;
    return -1;
  }
  if (byte == kCarriageReturn && input_.Peek() == kLineFeed) return input_.Next();
  return byte;
}

size_t TextModeReader::Read(void* destination, size_t count) {
  auto* bytes = static_cast<unsigned char*>(destination);
  size_t delivered = 0;
  while (delivered < count) {
    const int byte = ReadByte();
    if (byte < 0) break;
    bytes[delivered++] = static_cast<unsigned char>(byte);
  }
  return delivered;
}

}  // namespace chatsieve::platform
