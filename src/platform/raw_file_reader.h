// Reads a wide word-list file byte for byte, without any translation.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "platform/buffered_input.h"

namespace chatsieve::platform {

class RawFileReader {
 public:
  // Opens a file by a narrow or a UTF-16 name (see system_files.h).
  bool Open(const char* path) { return input_.Open(path); }
  bool Open(const char16_t* path) { return input_.Open(path); }
  // Reads bytes already in memory, which must outlive the reading.
  void OpenBytes(std::string_view bytes) { input_.OpenBytes(bytes); }

  // Reads up to `count` bytes; fewer only at the end of the file or on a read error.
  size_t Read(void* destination, size_t count) {
    return input_.Read(static_cast<unsigned char*>(destination), count);
  }

  uint64_t BytesLeft() const { return input_.BytesLeft(); }

 private:
  BufferedInput input_;
};

}  // namespace chatsieve::platform
