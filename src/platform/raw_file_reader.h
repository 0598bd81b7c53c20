// Reads a wide word-list file byte for byte, without any translation.
#pragma once

#include <cstddef>
#include <cstdint>

#include "platform/buffered_input.h"

namespace chatsieve::platform {

class RawFileReader {
 public:
  // Opens a file by its UTF-8 name.
  bool Open(const char* utf8_path) { return input_.Open(utf8_path); }

  // Reads up to `count` bytes; fewer only at the end of the file or on a read error.
  size_t Read(void* destination, size_t count) {
    return input_.Read(static_cast<unsigned char*>(destination), count);
  }

  uint64_t BytesLeft() const { return input_.BytesLeft(); }

 private:
  BufferedInput input_;
};

}  // namespace chatsieve::platform
