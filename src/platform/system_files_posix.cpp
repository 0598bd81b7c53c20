#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>

#include "platform/file_name.h"
#include "platform/system_files.h"

namespace chatsieve::platform::system_files {

int OpenRegularFile(const char* path, uint64_t& size) {
  // Non-blocking only for the open itself: opening a pipe for reading would otherwise
  // wait for a writer before fstat could turn it away.
  const int descriptor = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) return -1;
  struct stat status {};
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
      ::fcntl(descriptor, F_SETFL, 0) != 0) {
    ::close(descriptor);
    return -1;
  }
  size = static_cast<uint64_t>(status.st_size);
  return descriptor;
}

int OpenRegularFile(const char16_t* path, uint64_t& size) {
  const auto name = FileNameFromUtf16(path);
  if (!name) {
    errno = EINVAL;
    return -1;
  }
  return OpenRegularFile(name->c_str(), size);
}

int CreateNewFile(const std::string& name) {
  // Made with the permissions any new file gets, not a private mode.
  return ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
}

int64_t ReadSome(int descriptor, void* destination, size_t count) {
  ssize_t got;
  do {
    got = ::read(descriptor, destination, count);
  } while (got < 0 && errno == EINTR);
  return got;
}

int64_t WriteSome(int descriptor, const void* source, size_t count) {
  ssize_t wrote;
  do {
    wrote = ::write(descriptor, source, count);
  } while (wrote < 0 && errno == EINTR);
  return wrote;
}

bool Sync(int descriptor) {
  return ::fsync(descriptor) == 0;
}

bool Close(int descriptor) {
  return ::close(descriptor) == 0;
}

bool RenameOver(const std::string& from, const std::string& to) {
  return std::rename(from.c_str(), to.c_str()) == 0;
}

void RemoveFile(const std::string& name) {
  ::unlink(name.c_str());
}

unsigned long ProcessId() {
  return static_cast<unsigned long>(::getpid());
}

}  // namespace chatsieve::platform::system_files
