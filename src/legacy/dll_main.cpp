// The DLL's entry routine: the module handle is stored, and loading and unloading set
// the filter level to its default. Thread start and end leave the level alone, so a
// level the host chose holds until it chooses another.
#include <windows.h>

#include "legacy/library_state.h"

extern "C" BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID /*reserved*/) {
  using namespace chatsieve::legacy;
  if (reason == DLL_PROCESS_ATTACH) {
    library_module.store(instance, std::memory_order_relaxed);
    filter_level.store(kDefaultLevel, std::memory_order_relaxed);
  } else if (reason == DLL_PROCESS_DETACH) {
    filter_level.store(kDefaultLevel, std::memory_order_relaxed);
  }
  return TRUE;
}
