// Which code page converter and character table a test meets. Linux builds use our own
// tables; Windows builds the system's, whose answers for malformed code page 949 and for
// letters differ between wine, which runs the tests here, and Windows itself.
#pragma once

#if defined(_WIN32)
#include <windows.h>
#endif

namespace chatsieve::test_support {

enum class SystemTables { kOwn, kWine, kWindows };

inline SystemTables TablesUnderTest() {
#if defined(_WIN32)
  const HMODULE ntdll = ::GetModuleHandleW(L"ntdll.dll");
  return ntdll != nullptr && ::GetProcAddress(ntdll, "wine_get_version") != nullptr
             ? SystemTables::kWine
             : SystemTables::kWindows;
#else
  return SystemTables::kOwn;
#endif
}

// The expectation for the tables under test: ours, or what wine's give.
template <typename Value>
Value ByTables(Value ours, Value wine) {
  return TablesUnderTest() == SystemTables::kWine ? wine : ours;
}

// Tests whose expectations are known for our tables and for wine's skip on Windows.
#define CHATSIEVE_SKIP_ON_WINDOWS_ITSELF()               \
  if (::chatsieve::test_support::TablesUnderTest() ==    \
      ::chatsieve::test_support::SystemTables::kWindows) \
  GTEST_SKIP() << "the expected values are those of our own tables and of wine"

}  // namespace chatsieve::test_support
