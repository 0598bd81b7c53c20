#include "platform/buffered_input.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <new>

namespace chatsieve::platform {
namespace {

constexpr size_t kBufferSize = 64 * 1024;

}  // namespace

BufferedInput::~BufferedInput() {
  if (descriptor_ >= 0) ::close(descriptor_);
}

bool BufferedInput::Open(const char* path) {
  if (descriptor_ >= 0 || path == nullptr) return false;
  // Non-blocking only for the open itself: opening a pipe for reading would otherwise
  // wait for a writer before fstat could turn it away.
  const int descriptor = ::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK);
  if (descriptor < 0) return false;
  struct stat status {};
  if (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode) ||
      ::fcntl(descriptor, F_SETFL, 0) != 0) {
    ::close(descriptor);
    return false;
  }
  buffer_.reset(new (std::nothrow) unsigned char[kBufferSize]);
  if (!buffer_) {
    ::close(descriptor);
    return false;
  }
  descriptor_ = descriptor;
  size_ = static_cast<uint64_t>(status.st_size);
  return true;
}

bool BufferedInput::Refill() {
  if (descriptor_ < 0) return false;
  ssize_t got;
  do {
    got = ::read(descriptor_, buffer_.get(), kBufferSize);
  } while (got < 0 && errno == EINTR);
  if (got <= 0) return false;
  position_ = 0;
  end_ = static_cast<size_t>(got);
  fetched_ += end_;
  return true;
}

size_t BufferedInput::Read(unsigned char* destination, size_t count) {
  size_t copied = 0;
  while (copied < count) {
    if (position_ == end_ && !Refill()) break;
    const size_t step = std::min(count - copied, end_ - position_);
    std::memcpy(destination + copied, buffer_.get() + position_, step);
    position_ += step;
    copied += step;
  }
  return copied;
}

uint64_t BufferedInput::BytesLeft() const {
  const uint64_t unfetched = size_ > fetched_ ? size_ - fetched_ : 0;
  return unfetched + (end_ - position_);
}

}  // namespace chatsieve::platform
