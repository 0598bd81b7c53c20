#include "platform/replacing_file_writer.h"

#include <atomic>
#include <cerrno>
#include <cstring>

#include "platform/system_files.h"

namespace chatsieve::platform {
namespace {

constexpr size_t kFlushSize = 64 * 1024;
constexpr int kNameAttempts = 100;

// Distinct within the process; the process id keeps processes apart.
std::string TemporaryNameFor(const std::string& target) {
  static std::atomic<unsigned> counter{0};
  return target + ".tmp-" + std::to_string(system_files::ProcessId()) + "-" +
         std::to_string(counter++);
}

}  // namespace

ReplacingFileWriter::~ReplacingFileWriter() {
  if (descriptor_ >= 0) system_files::Close(descriptor_);
  if (!temporary_.empty() && !replaced_) system_files::RemoveFile(temporary_);
}

bool ReplacingFileWriter::Failed(std::string& why, const std::string& doing) {
  why = doing + ": " + std::strerror(error_);
  return false;
}

bool ReplacingFileWriter::Open(std::string& why) {
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    std::string name = TemporaryNameFor(target_);
    descriptor_ = system_files::CreateNewFile(name);
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
    const int64_t wrote =
        system_files::WriteSome(descriptor_, pending_.data() + done, pending_.size() - done);
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
  if (error_ == 0 && !system_files::Sync(descriptor_)) error_ = errno;
  if (!system_files::Close(descriptor_) && error_ == 0) error_ = errno;
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
  if (!system_files::RenameOver(temporary_, target_)) {
    error_ = errno;
    return Failed(why, "cannot replace " + target_);
  }
  replaced_ = true;
  return true;
}

}  // namespace chatsieve::platform
