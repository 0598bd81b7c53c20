#include "platform/module_path.h"

#include <dlfcn.h>

#include "text/utf8.h"

namespace chatsieve::platform {

std::string ModuleFileNameOf(const void* address_inside) {
  Dl_info info{};
  if (dladdr(address_inside, &info) == 0 || info.dli_fname == nullptr) return {};
  return info.dli_fname;
}

// A name that is not UTF-8 has no UTF-16 form: empty, as when the name is unknown.
std::u16string WideModuleFileNameOf(const void* address_inside) {
  return Utf8ToUtf16(ModuleFileNameOf(address_inside)).value_or(std::u16string());
}

}  // namespace chatsieve::platform
