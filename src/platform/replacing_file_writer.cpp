#include "platform/replacing_file_writer.h"

#include <fcntl.h>
#include <unistd.h>

#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace chatsieve::platform {
namespace {

constexpr size_t kFlushSize = 64 * 1024;
constexpr int kNameAttempts = 100;

// Distinct within the process; the process id keeps processes apart.
std::string TemporaryNameFor(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return target + ".tmp-" + std::to_string(::getpid()) + "-" + std::to_string(counter++);
}

}  // namespace

ReplacingFileWriter::~ReplacingFileWriter() {
  if (descriptor_ >= 0) ::close(descriptor_);
  if (!temporary_.empty() && !replaced_) ::unlink(temporary_.c_str());
}

bool ReplacingFileWriter::Failed(std::string& why, const std::string& doing) {
  why = doing + ": " + std::strerror(error_);
  return false;
}

bool ReplacingFileWriter::Open(std::string& why) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = TemporaryNameFor(target_);
    // Made with the permissions any new file gets, not a private mode.
    descriptor_ = ::open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (descriptor_ >= 0) {
      temporary_ = std::move(name);
      return true;
    }
    if (errno != EEXIST) break;
  }
  error_ = errno;
  return Failed(why, "cannot create a file beside " + target_);
}

void ReplacingFileWriter::Write(const void* data, size_t size) {
  if (error_ != 0 || descriptor_ < 0) return;
  pending_.append(static_cast<const char*>(data), size);
  if (pending_.size() >= kFlushSize) Flush();
}

bool ReplacingFileWriter::Flush() {
  size_t done = 0;
  while (done < pending_.size()) {
    const ssize_t wrote = ::write(descriptor_, pending_.data() + done, pending_.size() - done);
    if (wrote < 0 && errno == EINTR) continue;
    if (wrote <= 0) {
      error_ = wrote < 0 ? errno : EIO;
      return false;
    }
    done += static_cast<size_t>(wrote);
  }
  pending_.clear();
  return true;
}

bool ReplacingFileWriter::Finish(std::string& why) {
  if (descriptor_ < 0) {
    if (error_ == 0) error_ = EBADF;
    return Failed(why, "cannot write " + temporary_);
  }
  if (error_ == 0) Flush();
  if (error_ == 0 && ::fsync(descriptor_) != 0) error_ = errno;
  if (::close(descriptor_) != 0 && error_ == 0) error_ = errno;
  descriptor_ = -1;
  if (error_ != 0) return Failed(why, "cannot write " + temporary_);
  finished_ = true;
  return true;
}

bool ReplacingFileWriter::Replace(std::string& why) {
  if (!finished_) {
    error_ = EINVAL;
    return Failed(why, "cannot replace " + target_ + " before the write is complete");
  }
  if (std::rename(temporary_.c_str(), target_.c_str()) != 0) {
    error_ = errno;
    return Failed(why, "cannot replace " + target_);
  }
  replaced_ = true;
  return true;
}

}  // namespace chatsieve::platform
