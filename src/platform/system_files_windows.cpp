// File calls through the C runtime's descriptors: narrow names as the runtime's narrow
// functions take them (the system's ANSI code page), wide names through its wide ones.
#include <fcntl.h>
#include <io.h>
#include <sys/stat.h>
#include <windows.h>

#include <cerrno>
#include <climits>
#include <optional>

#include "platform/system_files.h"
#include "text/utf8.h"

namespace chatsieve::platform::system_files {
namespace {

constexpr int kReadFlags = _O_RDONLY | _O_BINARY | _O_NOINHERIT;

// The runtime moves at most INT_MAX bytes a call.
unsigned int ClampedCount(size_t count) {
  return static_cast<unsigned int>(count < INT_MAX ? count : INT_MAX);
}

int KeepIfRegular(int descriptor, uint64_t& size) {
  if (descriptor < 0) return -1;
  struct _stat64 status {};
  if (_fstat64(descriptor, &status) != 0 || (status.st_mode & _S_IFMT) != _S_IFREG) {
    _close(descriptor);
    errno = EINVAL;
    return -1;
  }
  size = static_cast<uint64_t>(status.st_size);
  return descriptor;
}

std::optional<std::wstring> WideName(const std::string& utf8_name) {
  const auto units = Utf8ToUtf16(utf8_name);
  if (!units) {
    errno = EINVAL;
    return std::nullopt;
  }
  return std::wstring(units->begin(), units->end());
}

}  // namespace

int OpenRegularFile(const char* path, uint64_t& size) {
  return KeepIfRegular(_open(path, kReadFlags), size);
}

int OpenRegularFile(const char16_t* path, uint64_t& size) {
  return KeepIfRegular(_wopen(reinterpret_cast<const wchar_t*>(path), kReadFlags), size);
}

int CreateNewFile(const std::string& name) {
  const auto wide = WideName(name);
  if (!wide) return -1;
  return _wopen(wide->c_str(), _O_WRONLY | _O_CREAT | _O_EXCL | _O_BINARY | _O_NOINHERIT,
                _S_IREAD | _S_IWRITE);
}

int64_t ReadSome(int descriptor, void* destination, size_t count) {
  return _read(descriptor, destination, ClampedCount(count));
}

int64_t WriteSome(int descriptor, const void* source, size_t count) {
  return _write(descriptor, source, ClampedCount(count));
}

bool Sync(int descriptor) {
  return _commit(descriptor) == 0;
}

bool Close(int descriptor) {
  return _close(descriptor) == 0;
}

bool RenameOver(const std::string& from, const std::string& to) {
  const auto wide_from = WideName(from);
  const auto wide_to = WideName(to);
  if (!wide_from || !wide_to) return false;
  if (MoveFileExW(wide_from->c_str(), wide_to->c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    return true;
  }
  errno = GetLastError() == ERROR_ACCESS_DENIED ? EACCES : EIO;
  return false;
}

void RemoveFile(const std::string& name) {
  if (const auto wide = WideName(name)) _wunlink(wide->c_str());
}

unsigned long ProcessId() {
  return GetCurrentProcessId();
}

}  // namespace chatsieve::platform::system_files
