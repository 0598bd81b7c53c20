// The loading exports as a host meets them: through the built library, opened at run time.
#include <gtest/gtest.h>

#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <new>
#include <string>

#include "support/counted_allocations.h"
#include "support/shared_library.h"
#include "support/temporary_directory.h"
#include "support/word_file_builder.h"

namespace chatsieve {
namespace {

using testing::TemporaryDirectory;

constexpr size_t kPathCapacity = 260;
#if defined(_WIN32)
constexpr const char* kRenamedLibrary = "renamed.dll";
#else
constexpr const char* kRenamedLibrary = "librenamed.so";
#endif

// The built library's loading exports, for one test.
class Library {
 public:
  explicit Library(const std::filesystem::path& path)
      : library_(path),
        init_(library_.Find<int32_t(const char*)>("InitBadChatMan")),
        init_wide_(library_.Find<int32_t(const char16_t*)>("InitBadChatManW")) {}

  int32_t Init(const char* path) const { return init_(path); }
  int32_t InitW(const char16_t* path) const { return init_wide_(path); }

 private:
  testing::SharedLibrary library_;
  int32_t (*init_)(const char*);
  int32_t (*init_wide_)(const char16_t*);
};

std::string NarrowList() {
  return testing::WordFileBuilder(CHATSIEVE_TEST_RECORD_MASK)
      .NarrowHead(2)
      .NarrowRecord("abc")
      .Separator()
      .NarrowRecord("\xB0\xA1\xB3\xAA")
      .Data();
}

std::string WideList() {
  return testing::WordFileBuilder().WideHead(2).WideRecord(u"xyz").WideRecord(u"가나").Data();
}

std::u16string WidePath(const std::string& path) {
  return std::u16string(path.begin(), path.end());
}

// A directory below `base` whose path, with a trailing '/', is exactly `length` long.
std::filesystem::path DirectoryOfLength(const std::filesystem::path& base, size_t length) {
  const size_t padding = length - base.string().size() - 2;
  std::filesystem::path directory = base / std::string(padding, 'd');
  std::filesystem::create_directories(directory);
  return directory;
}

TEST(LoadingExports, LoadByPath) {
  TemporaryDirectory directory;
  const std::string narrow = directory.Write("list.bcd", NarrowList());
  const std::string wide = directory.Write("listW.bcd", WideList());
  const std::string missing = (directory.Path() / "missing.bcd").string();
  const Library library(CHATSIEVE_LIBRARY_PATH);
  EXPECT_EQ(library.Init(narrow.c_str()), 1);
  EXPECT_EQ(library.InitW(WidePath(wide).c_str()), 1);
  EXPECT_EQ(library.Init(missing.c_str()), 0);
  EXPECT_EQ(library.InitW(WidePath(missing).c_str()), 0);
  EXPECT_EQ(library.Init(""), 0);
  EXPECT_EQ(library.InitW(u""), 0);
  // Each format through the other's export is no word list.
  EXPECT_EQ(library.Init(wide.c_str()), 0);
  EXPECT_EQ(library.InitW(WidePath(narrow).c_str()), 0);
  // A narrow load followed by a wide load, as a host switching lists would.
  EXPECT_EQ(library.Init(narrow.c_str()), 1);
  EXPECT_EQ(library.InitW(WidePath(wide).c_str()), 1);
}

TEST(LoadingExports, RefusePathsOf260CharactersOrMore) {
  TemporaryDirectory directory;
  const Library library(CHATSIEVE_LIBRARY_PATH);
  const std::filesystem::path folder = DirectoryOfLength(directory.Path(), 200);
  const struct {
    size_t length;
    int32_t result;
  } cases[] = {{kPathCapacity - 1, 1}, {kPathCapacity, 0}, {kPathCapacity + 40, 0}};
  for (const auto& c : cases) {
    SCOPED_TRACE(c.length);
    const std::string name(c.length - folder.string().size() - 1, 'f');
    const std::string narrow = (folder / name).string();
    ASSERT_EQ(narrow.size(), c.length);
    directory.Write((folder / name).lexically_relative(directory.Path()).string(), NarrowList());
    EXPECT_EQ(library.Init(narrow.c_str()), c.result);
    directory.Write((folder / name).lexically_relative(directory.Path()).string(), WideList());
    EXPECT_EQ(library.InitW(WidePath(narrow).c_str()), c.result);
  }
}

// A copy of the library under another file name in a directory of its own, where the
// default lists are looked for.
TEST(LoadingExports, DefaultPathIsBesideTheLibrary) {
  const struct {
    const char* what;
    size_t directory_length;  // with the trailing '/'
    bool lists_present;
    int32_t narrow_result;
    int32_t wide_result;
  } cases[] = {
      {"both lists beside the library", 100, true, 1, 1},
      {"no lists beside the library", 100, false, 0, 0},
      {"the narrow default just fits, the wide one does not", kPathCapacity - 1 - 10, true, 1, 0},
      {"neither default fits", kPathCapacity - 1 - 9, true, 0, 0},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    TemporaryDirectory directory;
    const std::filesystem::path folder = DirectoryOfLength(directory.Path(), c.directory_length);
    ASSERT_EQ((folder / "").string().size(), c.directory_length);
    const std::filesystem::path copy = folder / kRenamedLibrary;
    std::filesystem::copy_file(CHATSIEVE_LIBRARY_PATH, copy);
    if (c.lists_present) {
      const auto relative = folder.lexically_relative(directory.Path());
      directory.Write((relative / "filter.bcd").string(), NarrowList());
      directory.Write((relative / "filterW.bcd").string(), WideList());
    }
    const Library library(copy.string());
    EXPECT_EQ(library.Init(nullptr), c.narrow_result);
    EXPECT_EQ(library.InitW(nullptr), c.wide_result);
  }
}

TEST(LoadingExports, UnloadingReleasesEveryWordStored) {
#if defined(_WIN32)
  GTEST_SKIP() << "the DLL allocates through its own operator new, which this test can't count";
#endif
  TemporaryDirectory directory;
  const std::string narrow = directory.Write("list.bcd", NarrowList());
  const std::string library_path = CHATSIEVE_LIBRARY_PATH;
  const long before = testing::Allocations().live.load();
  int32_t loaded = 0;
  long while_loaded = 0;
  {
    const Library library(library_path);
    loaded = library.Init(narrow.c_str());
    while_loaded = testing::Allocations().live.load();
  }
  const long after = testing::Allocations().live.load();
  EXPECT_EQ(loaded, 1);
  EXPECT_GT(while_loaded, before) << "the words live in memory the test can count";
  EXPECT_EQ(after, before);
}

}  // namespace
}  // namespace chatsieve
