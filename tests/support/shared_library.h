// A shared library opened by its path for one test and closed after it, as a host that
// loads the library at run time does.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#else
#include <dlfcn.h>
#endif

#include <filesystem>
#include <stdexcept>
#include <string>

namespace chatsieve::testing {

class SharedLibrary {
 public:
  explicit SharedLibrary(const std::filesystem::path& path) {
#if defined(_WIN32)
    handle_ = ::LoadLibraryW(path.c_str());
    if (handle_ == nullptr) throw std::runtime_error("cannot load " + path.string());
#else
    handle_ = ::dlopen(path.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (handle_ == nullptr) throw std::runtime_error(::dlerror());
#endif
  }
  SharedLibrary(const SharedLibrary&) = delete;
  SharedLibrary& operator=(const SharedLibrary&) = delete;
  ~SharedLibrary() {
#if defined(_WIN32)
    ::FreeLibrary(handle_);
#else
    ::dlclose(handle_);
#endif
  }

  // The exported function `name`, of the type the caller states.
  template <typename Function>
  Function* Find(const char* name) const {
#if defined(_WIN32)
    const auto address = reinterpret_cast<void*>(::GetProcAddress(handle_, name));
#else
    void* const address = ::dlsym(handle_, name);
#endif
    if (address == nullptr) throw std::runtime_error(std::string("no export ") + name);
    return reinterpret_cast<Function*>(address);
  }

 private:
#if defined(_WIN32)
  HMODULE handle_;
#else
  void* handle_;
#endif
};

}  // namespace chatsieve::testing
