// A file that is no regular file, which the word-list readers must refuse: a FIFO, whose
// open would wait for a writer, or on Windows the null device, which never ends.
#pragma once

#if !defined(_WIN32)
#include <sys/stat.h>
#endif

#include <stdexcept>
#include <string>

#include "support/temporary_directory.h"

namespace chatsieve::testing {

inline std::string NonRegularFileIn(const TemporaryDirectory& directory) {
#if defined(_WIN32)
  static_cast<void>(directory);
  return "NUL";
#else
  const std::string fifo = (directory.Path() / "fifo").string();
  if (::mkfifo(fifo.c_str(), 0600) != 0) throw std::runtime_error("cannot make " + fifo);
  return fifo;
#endif
}

}  // namespace chatsieve::testing
