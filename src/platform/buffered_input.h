// A regular file read through a buffer of its own, or bytes already in memory read the
// same way; it knows how many raw bytes it has not yet handed out.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

namespace chatsieve::platform {

class BufferedInput {
 public:
  BufferedInput() = default;
  BufferedInput(const BufferedInput&) = delete;
  BufferedInput& operator=(const BufferedInput&) = delete;
  ~BufferedInput();

  // Opens `path` by a narrow or a UTF-16 name (see system_files.h). Only a regular file
  // opens: a pipe or device could block the caller or never end.
  bool Open(const char* path);
  bool Open(const char16_t* path);
  // Reads `bytes`, which must outlive the reading, as if they were a file's.
  void OpenBytes(std::string_view bytes);

  // The next byte, or -1 at the end of the file or on a read error.
  int Next() {
    if (position_ == end_ && !Refill()) return -1;
    return data_[position_++];
  }

  // The byte Next() would give, without taking it.
  int Peek() {
    if (position_ == end_ && !Refill()) return -1;
    return data_[position_];
  }

  // Copies up to `count` bytes; fewer only at the end of the file or on a read error.
  size_t Read(unsigned char* destination, size_t count);

  // Raw bytes not yet handed out, by the file's size when it was opened.
  uint64_t BytesLeft() const;

 private:
  // Takes over an open descriptor, or reports the failed open.
  bool Keep(int descriptor);
  bool Refill();

  int descriptor_ = -1;
  uint64_t size_ = 0;
  uint64_t fetched_ = 0;
  std::unique_ptr<unsigned char[]> buffer_;
  // What Next() reads: the buffer, or the bytes in memory.
  const unsigned char* data_ = nullptr;
  size_t position_ = 0;
  size_t end_ = 0;
};

}  // namespace chatsieve::platform
