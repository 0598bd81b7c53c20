// Writes a file so that its target is replaced whole or not at all: the bytes go to a
// temporary file beside the target, which takes the target's name only after a
// complete, flushed and closed write. Until then, and after any failure, whatever was
// at the target stays as it was.
#pragma once

#include <cstddef>
#include <string>

namespace chatsieve::platform {

class ReplacingFileWriter {
 public:
  // `target` is named as system_files.h describes for files to write.
  explicit ReplacingFileWriter(std::string target) : target_(std::move(target)) {}
  ReplacingFileWriter(const ReplacingFileWriter&) = delete;
  ReplacingFileWriter& operator=(const ReplacingFileWriter&) = delete;
  // Removes the temporary file unless it has replaced the target.
  ~ReplacingFileWriter();

  // Creates the temporary file. False, with the reason in `why`, when it can't.
  bool Open(std::string& why);

  // Appends bytes. A failure is kept and reported by Finish.
  void Write(const void* data, size_t size);

  // Flushes the bytes to storage and closes the temporary file.
  bool Finish(std::string& why);

  // Where the finished bytes are, for reading them back before Replace.
  const std::string& TemporaryPath() const { return temporary_; }

  // Gives the finished temporary file the target's name.
  bool Replace(std::string& why);

 private:
  bool Flush();
  bool Failed(std::string& why, const std::string& doing);

  std::string target_;
  std::string temporary_;
  int descriptor_ = -1;
  int error_ = 0;
  bool finished_ = false;
  bool replaced_ = false;
  std::string pending_;
};

}  // namespace chatsieve::platform
