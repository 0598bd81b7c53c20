// The loading exports: put a narrow or wide word-list file in force, from a given path
// or from beside the library. A path that does not fit the 260-character path buffer
// is refused, and then, as after any failed load, no words are in force.
#include <algorithm>
#include <array>
#include <optional>
#include <string>
#include <string_view>

#include "chatsieve/chatsieve.h"
#include "legacy/library_state.h"
#include "platform/module_path.h"

namespace chatsieve::legacy {
namespace {

constexpr size_t kPathCapacity = 260;

template <typename Char>
using PathBuffer = std::array<Char, kPathCapacity>;

// Copies `path` and its terminator into the buffer; false when it does not fit.
template <typename Char>
bool FillPath(std::basic_string_view<Char> path, PathBuffer<Char>& buffer) {
  if (path.size() >= buffer.size()) return false;
  std::copy(path.begin(), path.end(), buffer.begin());
  return true;
}

// The caller's path, which is not read past the buffer's capacity.
template <typename Char>
bool FillGivenPath(const Char* path, PathBuffer<Char>& buffer) {
  const Char* end = std::find(path, path + buffer.size(), Char{0});
  return FillPath(std::basic_string_view<Char>(path, static_cast<size_t>(end - path)), buffer);
}

// The library's directory with `file_name` in place of its own name; empty when the
// library's name has no directory part.
template <typename Char>
bool FillDefaultPath(std::basic_string_view<Char> library, std::basic_string_view<Char> file_name,
                     PathBuffer<Char>& buffer) {
  const size_t slash = library.rfind(Char{chatsieve::platform::kFolderSeparator});
  if (slash == library.npos) return true;
  std::basic_string<Char> path(library.substr(0, slash + 1));
  path += file_name;
  return FillPath<Char>(path, buffer);
}

const void* LibraryModule() {
  return library_module.load(std::memory_order_relaxed);
}

int32_t Refused() {
  FilterObject().ClearWords();
  return 0;
}

}  // namespace
}  // namespace chatsieve::legacy

extern "C" int32_t InitBadChatMan(const char* path) {
  using namespace chatsieve::legacy;
  try {
    PathBuffer<char> buffer{};
    const bool fits = path != nullptr ? FillGivenPath(path, buffer)
                                      : FillDefaultPath<char>(
                                            chatsieve::platform::ModuleFileNameOf(LibraryModule()),
                                            "filter.bcd", buffer);
    if (!fits) return Refused();
    return FilterObject().LoadWordFile(buffer.data(), 1) != 0 ? 1 : 0;
  } catch (...) {
    return 0;
  }
}

extern "C" int32_t InitBadChatManW(const char16_t* path) {
  using namespace chatsieve::legacy;
  try {
    PathBuffer<char16_t> buffer{};
    const bool fits =
        path != nullptr
            ? FillGivenPath(path, buffer)
            : FillDefaultPath<char16_t>(chatsieve::platform::WideModuleFileNameOf(LibraryModule()),
                                        u"filterW.bcd", buffer);
    if (!fits) return Refused();
    return FilterObject().LoadWordFileW(buffer.data(), 1) != 0 ? 1 : 0;
  } catch (...) {
    return 0;
  }
}
