#include "platform/buffered_input.h"

#include <algorithm>
#include <cstring>
#include <new>

#include "platform/system_files.h"

namespace chatsieve::platform {
namespace {

constexpr size_t kBufferSize = 64 * 1024;

}  // namespace

BufferedInput::~BufferedInput() {
  if (descriptor_ >= 0) system_files::Close(descriptor_);
}

bool BufferedInput::Open(const char* path) {
  if (descriptor_ >= 0 || path == nullptr) return false;
  return Keep(system_files::OpenRegularFile(path, size_));
}

bool BufferedInput::Open(const char16_t* path) {
  if (descriptor_ >= 0 || path == nullptr) return false;
  return Keep(system_files::OpenRegularFile(path, size_));
}

void BufferedInput::OpenBytes(std::string_view bytes) {
  data_ = reinterpret_cast<const unsigned char*>(bytes.data());
  size_ = fetched_ = end_ = bytes.size();
  position_ = 0;
}

bool BufferedInput::Keep(int descriptor) {
  if (descriptor < 0) return false;
  buffer_.reset(new (std::nothrow) unsigned char[kBufferSize]);
  if (!buffer_) {
    system_files::Close(descriptor);
    return false;
  }
  descriptor_ = descriptor;
  data_ = buffer_.get();
  return true;
}

bool BufferedInput::Refill() {
  if (descriptor_ < 0) return false;
  const int64_t got = system_files::ReadSome(descriptor_, buffer_.get(), kBufferSize);
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
    std::memcpy(destination + copied, data_ + position_, step);
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
