// The shared library as a host sees it: its exported symbols, its header in C and C++,
// and the filter level.
#include <gtest/gtest.h>

#include <cstdio>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "chatsieve/chatsieve.h"

extern "C" int32_t SetLevelFromC(int32_t level);
extern "C" size_t WideUnitSizeInC();

namespace {

#if !defined(_WIN32)
// The DLL's export table is read by the export_and_import_tables test instead.
std::set<std::string> ExportedSymbols(const std::string& library) {
  const std::string command = "nm -D --defined-only '" + library + "'";
  std::FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return {};
  std::set<std::string> names;
  char line[512];
  while (std::fgets(line, sizeof line, pipe) != nullptr) {
    char type = 0;
    char name[400] = {};
    // "address type name": undefined ones were left out by --defined-only.
    if (std::sscanf(line, "%*s %c %399s", &type, name) == 2) names.insert(name);
  }
  pclose(pipe);
  return names;
}

TEST(LibraryTest, ExportsTheSevenFunctionsAndChatsieveNamesOnly) {
  const std::set<std::string> legacy = {"SetLevel", "InitBadChatMan", "InitBadChatManW", "IsBad",
                                        "IsBadW",   "IsBadToRep",     "IsBadToRepW"};
  std::set<std::string> legacy_exported;
  std::set<std::string> others;
  for (const std::string& name : ExportedSymbols(CHATSIEVE_LIBRARY_FILE))
    (legacy.contains(name) ? legacy_exported : others).insert(name);
  EXPECT_EQ(legacy_exported, legacy);
  EXPECT_TRUE(others.contains("chatsieve_version"));
  for (const std::string& name : others)
    EXPECT_TRUE(name.starts_with("chatsieve_")) << name;
}
#endif

TEST(LibraryTest, HeaderWorksFromC) {
  EXPECT_EQ(WideUnitSizeInC(), sizeof(char16_t));
  EXPECT_EQ(SetLevelFromC(1), 1);
  EXPECT_EQ(SetLevel(2), 2);
}

TEST(LibraryTest, SetLevelStoresAndReturnsAnyValue) {
  for (int32_t level : {3, 0, -1, INT32_MIN, INT32_MAX, 1, 2})
    EXPECT_EQ(SetLevel(level), level);
}

}  // namespace
