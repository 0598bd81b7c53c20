// The file calls that differ between systems, on the C runtime's file descriptors. Every
// call that fails leaves the reason in errno.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace chatsieve::platform::system_files {

// Opens a regular file for reading raw bytes and reports its size; -1 for anything
// else, so a pipe or device can neither block the caller nor never end. A narrow name
// is handed to the system's narrow file functions unchanged, a UTF-16 one to its wide
// functions (on Linux as UTF-8; a lone surrogate then fails).
int OpenRegularFile(const char* path, uint64_t& size);
int OpenRegularFile(const char16_t* path, uint64_t& size);

// Names of files to write are bytes handed to the system unchanged on Linux, and UTF-8
// on Windows.

// Creates `name` for writing raw bytes; -1 with EEXIST when it exists already.
int CreateNewFile(const std::string& name);

// Reads or writes up to `count` bytes, retrying interrupted calls: the number moved,
// 0 at the end of a file, or -1.
int64_t ReadSome(int descriptor, void* destination, size_t count);
int64_t WriteSome(int descriptor, const void* source, size_t count);

// Flushes a file's bytes to storage.
bool Sync(int descriptor);
bool Close(int descriptor);

// Gives the file `from` the name `to`, replacing whatever has that name, in one step.
bool RenameOver(const std::string& from, const std::string& to);
void RemoveFile(const std::string& name);

// Tells this process from others that write beside the same file.
unsigned long ProcessId();

}  // namespace chatsieve::platform::system_files
