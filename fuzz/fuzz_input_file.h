// Hands a fuzzer's input to a loader as a file: an in-memory file, reached by a path.
#pragma once

#include <sys/mman.h>
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "wordfile/legacy_word_list.h"

namespace chatsieve::fuzz {

class FuzzInputFile {
 public:
  FuzzInputFile() : descriptor_(::memfd_create("chatsieve-fuzz", MFD_CLOEXEC)) {
    if (descriptor_ < 0) std::abort();
    path_ = "/proc/self/fd/" + std::to_string(descriptor_);
  }

  const std::string& Path() const { return path_; }

  // Replaces the file's contents with `data`.
  void Hold(const uint8_t* data, size_t size) {
    if (::ftruncate(descriptor_, 0) != 0) std::abort();
    size_t done = 0;
    while (done < size) {
      const ssize_t wrote =
          ::pwrite(descriptor_, data + done, size - done, static_cast<off_t>(done));
      if (wrote <= 0) std::abort();
      done += static_cast<size_t>(wrote);
    }
  }

 private:
  int descriptor_;
  std::string path_;
};

// Reads every unit and byte of every stored word, so the sanitizers see any that lies
// outside its buffer, and checks what the index promises about each word.
inline void TouchEveryWord(const LegacyWordList& filter) {
  volatile uint32_t sink = 0;
  filter.ForEachBucket([&sink](char16_t key, LegacyWordList::Words bucket) {
    for (const auto& word : bucket) {
      if (word->WideText() == nullptr || word->WideText()[0] != key) std::abort();
      for (int32_t i = 0; i <= word->WideLength(); ++i)
        sink = sink + word->WideText()[i];
      if (word->WideText()[word->WideLength()] != 0) std::abort();
      for (int32_t i = 0; word->NarrowText() != nullptr && i <= word->NarrowLength(); ++i)
        sink = sink + static_cast<unsigned char>(word->NarrowText()[i]);
    }
  });
}

}  // namespace chatsieve::fuzz
