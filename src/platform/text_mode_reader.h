// Reads a narrow word-list file as the format requires: a 0x0D 0x0A pair is read as one
// 0x0A, and the first 0x1A byte ends the data. Every field goes through it, integers
// included.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/buffered_input.h"

namespace chatsieve::platform {

class TextModeReader {
 public:
  // Opens `path`, handed to the file system unchanged.
  bool Open(const char* path) { return input_.Open(path); }
  // Reads bytes already in memory, which must outlive the reading.
  void OpenBytes(std::string_view bytes) { input_.OpenBytes(bytes); }

  // The next byte of the data, or -1 where the data ends.
  int ReadByte();

  // Reads up to `count` bytes of the data; fewer only where the data ends.
  size_t Read(void* destination, size_t count);

  // Raw bytes of the file not yet read: the data left can only be shorter.
  uint64_t BytesLeft() const { return ended_ ? 0 : input_.BytesLeft(); }

  // Ends the data here, as a read that ran on to its end would have.
  void EndData() { ended_ = true; }

 private:
  BufferedInput input_;
  bool ended_ = false;
};

}  // namespace chatsieve::platform
