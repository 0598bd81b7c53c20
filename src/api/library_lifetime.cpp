// The library's lifetime: the filter object lives from load to unload, and both ends set
// the filter level to its default. Thread start and end leave the level alone, so a
// level the host chose holds until it chooses another.
#include "api/filter_level.h"
#include "platform/module_path.h"

namespace chatsieve::api {
namespace {

// Constant-initialised, so it exists before any load-time code of the library runs.
constinit BadChatMan filter_object;

std::string& LibraryFileNameStorage() {
  static std::string file_name;
  return file_name;
}

__attribute__((constructor)) void OnLibraryLoad() {
  LibraryFileNameStorage() =
      platform::ModuleFileNameOf(reinterpret_cast<const void*>(&OnLibraryLoad));
  filter_level.store(kDefaultLevel, std::memory_order_relaxed);
}

__attribute__((destructor)) void OnLibraryUnload() {
  filter_level.store(kDefaultLevel, std::memory_order_relaxed);
}

}  // namespace

BadChatMan& FilterObject() {
  return filter_object;
}

const std::string& LibraryFileName() {
  return LibraryFileNameStorage();
}

}  // namespace chatsieve::api
