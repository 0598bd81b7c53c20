#include "platform/module_path.h"

#include <dlfcn.h>

namespace chatsieve::platform {

std::string ModuleFileNameOf(const void* address_inside) {
  Dl_info info{};
  if (dladdr(address_inside, &info) == 0 || info.dli_fname == nullptr) return {};
  return info.dli_fname;
}

}  // namespace chatsieve::platform
